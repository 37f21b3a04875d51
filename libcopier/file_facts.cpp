#include "libcopier/file_facts.h"

#include <cmath>
#include <cstdio>

#include "common/gbk_text.h"

namespace raz {
namespace {

constexpr std::int64_t kKilo = 1024;
constexpr std::int64_t kMega = kKilo * 1024;
constexpr std::int64_t kGiga = kMega * 1024;

// The quotient rounded to two decimals (a half goes up), without trailing zeros.
std::string NumberText(double x) {
  const double rounded = std::floor(x * 100 + 0.5) / 100;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6f", rounded);
  std::string text = buffer;
  text.erase(text.find_last_not_of('0') + 1);
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

}  // namespace

std::string NameWithoutFolder(std::string_view full_path, std::string_view folder) {
  std::string name;
  if (folder.empty()) {
    name = full_path;
  } else {
    std::size_t i = 0;
    while (i < full_path.size()) {
      if (full_path.compare(i, folder.size(), folder) == 0) {
        i += folder.size();
        continue;
      }
      const bool two_bytes = IsLeadByte(static_cast<unsigned char>(full_path[i])) && i + 1 < full_path.size();
      const std::size_t width = two_bytes ? 2 : 1;
      name.append(full_path.substr(i, width));
      i += width;
    }
  }
  if (!name.empty() && name.front() == '\\') name.erase(0, 1);
  return name;
}

std::string LowerExtension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  return AsciiLower(name.substr(dot));
}

std::string FormatSizeText(std::int64_t size) {
  const double n = static_cast<double>(size);
  if (size < kKilo) return std::to_string(size) + " B";
  if (size < kMega) return NumberText(n / kKilo) + " KB";
  if (size < kGiga) return NumberText(n / kMega) + " MB";
  return NumberText(n / kGiga) + " GB";
}

void FillFileFacts(const std::string& path, FileFacts& facts, const PathFacts& fs) {
  if (path.empty()) return;
  facts.full_path = fs.FullPathName(path);
  if (facts.full_path.empty() || facts.full_path.size() > kMaxFullPath) facts.full_path = kUnfitPath;
  facts.folder = fs.RemoveFileSpec(facts.full_path);
  facts.name = NameWithoutFolder(facts.full_path, facts.folder);
  facts.size_text = FormatSizeText(fs.QueryFileSize(facts.full_path));
  facts.extension = LowerExtension(facts.name);
}

}  // namespace raz

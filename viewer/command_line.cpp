#include "viewer/command_line.h"

#include "common/gbk_text.h"

namespace raz::viewer {
namespace {

bool IsGap(char c) { return static_cast<unsigned char>(c) <= 32; }

// Index after the character starting at i (two bytes for a lead byte).
std::size_t Next(std::string_view text, std::size_t i) {
  if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) return i + 2;
  return i + 1;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::size_t i = 0;
  const std::size_t n = line.size();
  // The program's own path.
  if (i < n && line[i] == '"') {
    ++i;
    while (i < n && line[i] != '"') i = Next(line, i);
    if (i < n) ++i;
  } else {
    while (i < n && line[i] != ' ') i = Next(line, i);
  }

  std::vector<std::string> args;
  while (true) {
    while (i < n && IsGap(line[i])) ++i;
    if (i >= n) break;
    std::size_t start;
    if (line[i] == '"') {
      start = ++i;
      while (i < n && line[i] != '"') i = Next(line, i);
      args.emplace_back(line.substr(start, i - start));
      if (i < n) ++i;
    } else {
      start = i;
      while (i < n && !IsGap(line[i]) && line[i] != '"') i = Next(line, i);
      args.emplace_back(line.substr(start, i - start));
    }
  }
  return args;
}

}  // namespace raz::viewer

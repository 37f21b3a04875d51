#include "libcopier/command_line.h"

#include "common/gbk_text.h"

namespace raz {
namespace {

bool IsSeparator(unsigned char c) { return c >= 0x01 && c <= 0x20; }

// Width of the character that starts at `i`: two bytes for a lead byte that has
// a byte after it, one otherwise.
std::size_t CharWidth(std::string_view text, std::size_t i) {
  return (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
}

// Index just past the own program name. The name is scanned byte by byte: its
// end mark ends it even right after a byte of 0x80 or above (in code page 936
// the byte 0x80 is a character of its own).
std::size_t SkipProgramName(std::string_view line) {
  if (line.empty()) return 0;
  const bool quoted = line[0] == '"';
  const std::size_t end = line.find(quoted ? '"' : ' ', quoted ? 1 : 0);
  return end == std::string_view::npos ? line.size() : end + 1;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view command_line) {
  std::vector<std::string> args;
  std::string_view line = command_line;
  // A NUL ends the line, as it ends the text the process was given.
  if (const std::size_t nul = line.find('\0'); nul != std::string_view::npos) line = line.substr(0, nul);

  std::size_t i = SkipProgramName(line);
  while (i < line.size()) {
    if (IsSeparator(static_cast<unsigned char>(line[i]))) {
      ++i;
      continue;
    }
    std::string arg;
    if (line[i] == '"') {
      ++i;
      while (i < line.size() && line[i] != '"') {
        const std::size_t width = CharWidth(line, i);
        arg.append(line.substr(i, width));
        i += width;
      }
      if (i < line.size()) ++i;  // the closing quote
    } else {
      while (i < line.size() && line[i] != '"' && !IsSeparator(static_cast<unsigned char>(line[i]))) {
        const std::size_t width = CharWidth(line, i);
        arg.append(line.substr(i, width));
        i += width;
      }
    }
    args.push_back(std::move(arg));
  }
  return args;
}

}  // namespace raz

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

// Index just past the own program name.
std::size_t SkipProgramName(std::string_view line) {
  if (line.empty()) return 0;
  const char end_mark = line[0] == '"' ? '"' : ' ';
  std::size_t i = line[0] == '"' ? 1 : 0;
  while (i < line.size()) {
    if (line[i] == end_mark) return i + 1;
    i += CharWidth(line, i);
  }
  return line.size();
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

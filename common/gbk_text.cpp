#include "common/gbk_text.h"

namespace raz {
namespace {

// Calls f(index, byte) for each single-byte character; two-byte characters are
// stepped over whole. A lead byte at the very end stands alone.
template <typename F>
void ForEachSingleByte(std::string_view text, F f) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(c)) {
      ++i;  // the trail byte belongs to this character
      continue;
    }
    if (!f(i, c)) return;
  }
}

template <typename Map>
std::string MapSingleBytes(std::string_view text, Map map) {
  std::string out(text);
  ForEachSingleByte(text, [&](std::size_t i, unsigned char c) {
    out[i] = static_cast<char>(map(c));
    return true;
  });
  return out;
}

}  // namespace

std::size_t FindLastSingleByte(std::string_view text, char c) {
  std::size_t found = kNoPos;
  ForEachSingleByte(text, [&](std::size_t i, unsigned char b) {
    if (b == static_cast<unsigned char>(c)) found = i;
    return true;
  });
  return found;
}

std::size_t FindFirstSingleByte(std::string_view text, char c) {
  std::size_t found = kNoPos;
  ForEachSingleByte(text, [&](std::size_t i, unsigned char b) {
    if (b != static_cast<unsigned char>(c)) return true;
    found = i;
    return false;
  });
  return found;
}

std::size_t WholeCharacterPrefix(std::string_view text, std::size_t max_bytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    const bool pair = IsLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size();
    const std::size_t next = end + (pair ? 2 : 1);
    if (next > max_bytes) break;
    end = next;
  }
  return end;
}

std::string Trim(std::string_view text) {
  // Leading blanks: step forward a character at a time.
  std::size_t begin = 0;
  while (begin < text.size()) {
    if (text[begin] == ' ') {
      begin += 1;
    } else if (text.compare(begin, 2, "\xA1\xA1") == 0) {
      begin += 2;
    } else {
      break;
    }
  }
  // Trailing blanks: walk the characters from `begin` and remember where the
  // last non-blank character ends, so a trail byte is never mistaken for a blank.
  std::size_t end = begin;
  for (std::size_t i = begin; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t width = (IsLeadByte(c) && i + 1 < text.size()) ? 2 : 1;
    const bool blank = c == ' ' || (width == 2 && c == 0xA1 && static_cast<unsigned char>(text[i + 1]) == 0xA1);
    i += width;
    if (!blank) end = i;
  }
  return std::string(text.substr(begin, end - begin));
}

std::string AsciiLower(std::string_view text) {
  return MapSingleBytes(text, [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; });
}

std::string AsciiUpper(std::string_view text) {
  return MapSingleBytes(text, [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; });
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AsciiLower(a) == AsciiLower(b);
}

}  // namespace raz

// Byte-string helpers for texts in the system ANSI code page (GBK).
//
// A byte of 0x80 or above starts a two-byte character; its second byte is never
// taken for a character of its own, so a trail byte of 0x5C is not a backslash
// and a trail byte in 'A'..'Z' is not a capital letter.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace raz {

constexpr std::size_t kNoPos = std::string_view::npos;

// True when the byte starts a two-byte character.
constexpr bool IsLeadByte(unsigned char c) { return c >= 0x80; }

// Index of the last byte `c` that stands as a character of its own, or kNoPos.
std::size_t FindLastSingleByte(std::string_view text, char c);
// Index of the first byte `c` that stands as a character of its own, or kNoPos.
std::size_t FindFirstSingleByte(std::string_view text, char c);

inline std::size_t FindLastBackslash(std::string_view text) { return FindLastSingleByte(text, '\\'); }
inline std::size_t FindFirstComma(std::string_view text) { return FindFirstSingleByte(text, ','); }

// Length of the longest start of `text` of at most `max_bytes` bytes that ends
// on a character boundary, so that cutting there never splits a two-byte
// character. A lone lead byte at the very end counts as a character.
std::size_t WholeCharacterPrefix(std::string_view text, std::size_t max_bytes);

// Removes ASCII spaces and full-width spaces (A1 A1) at both ends, character by
// character; tabs, line breaks and every other character stay.
std::string Trim(std::string_view text);

// ASCII A-Z become a-z; two-byte characters are left exactly as they are.
std::string AsciiLower(std::string_view text);
// ASCII A-Z of single-byte characters become upper case.
std::string AsciiUpper(std::string_view text);

// Byte comparison after AsciiLower on both sides.
bool EqualsAsciiNoCase(std::string_view a, std::string_view b);

}  // namespace raz

// How one fuzz input carries a database and its auxiliary file: a 4-byte
// little-endian length of the database bytes, the database, then the
// auxiliary file's bytes. An input shorter than the prefix is a database alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace raz::edb::fuzz {

struct FuzzFiles {
  std::string_view database;
  std::string_view auxiliary;
};

inline FuzzFiles SplitInput(std::string_view input) {
  if (input.size() < 4) return {input, {}};
  std::uint32_t length = std::uint32_t(std::uint8_t(input[0])) | std::uint32_t(std::uint8_t(input[1])) << 8 |
                         std::uint32_t(std::uint8_t(input[2])) << 16 | std::uint32_t(std::uint8_t(input[3])) << 24;
  std::string_view rest = input.substr(4);
  if (length > rest.size()) length = static_cast<std::uint32_t>(rest.size());
  return {rest.substr(0, length), rest.substr(length)};
}

inline std::string JoinInput(std::string_view database, std::string_view auxiliary) {
  std::string input(4, '\0');
  for (int i = 0; i < 4; ++i) input[i] = static_cast<char>(database.size() >> (8 * i));
  input.append(database);
  input.append(auxiliary);
  return input;
}

}  // namespace raz::edb::fuzz

// The digest behind the password verifier, against published test vectors.
#include <gtest/gtest.h>

#include <string>

#include "viewer/edb/sha256.h"

namespace raz::edb {
namespace {

std::string Hex(const Sha256Digest& digest) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char b : digest) {
    hex += kDigits[b >> 4];
    hex += kDigits[b & 15];
  }
  return hex;
}

TEST(EdbSha256, MatchesTheStandardVectors) {
  EXPECT_EQ(Hex(Sha256Of("")), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Hex(Sha256Of("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Hex(Sha256Of("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  Sha256 pieces;  // a million 'a', fed in uneven pieces
  std::string chunk(997, 'a');
  std::size_t fed = 0;
  while (fed < 1000000) {
    std::size_t take = std::min<std::size_t>(chunk.size(), 1000000 - fed);
    pieces.Update(chunk.data(), take);
    fed += take;
  }
  EXPECT_EQ(Hex(pieces.Finish()), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(EdbSha256, Pbkdf2MatchesPublishedValues) {
  EXPECT_EQ(Hex(Pbkdf2Sha256("passwd", "salt", 1)),
            "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc");
  EXPECT_EQ(Hex(Pbkdf2Sha256("Password", "NaCl", 80000)),
            "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56");
  // A key longer than a block is hashed first.
  EXPECT_EQ(Hex(Pbkdf2Sha256(std::string(100, 'k'), "salt", 2)),
            "2c1357648009149f57e4d5544c3435bbca87a6b231300fa3abb2a89b50f56ec3");
}

}  // namespace
}  // namespace raz::edb

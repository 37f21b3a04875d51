// SHA-256 and PBKDF2-HMAC-SHA256, for the password verifier of protected
// databases. Both builds need the same digest and the Windows build has no
// crypto library, so the engine carries this small one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace raz::edb {

using Sha256Digest = std::array<unsigned char, 32>;

class Sha256 {
 public:
  Sha256();
  void Update(const void* data, std::size_t size);
  Sha256Digest Finish();

 private:
  void Compress(const unsigned char* block);

  std::uint32_t state_[8];
  unsigned char buffer_[64];
  std::size_t buffered_ = 0;
  std::uint64_t total_ = 0;
};

Sha256Digest Sha256Of(std::string_view data);

// The first 32 bytes of PBKDF2 with HMAC-SHA256 (one output block).
Sha256Digest Pbkdf2Sha256(std::string_view password, std::string_view salt,
                          std::uint32_t iterations);

}  // namespace raz::edb

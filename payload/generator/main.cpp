// payload_generator OUTPUT_DIR: draws every picture the programs carry and
// writes them under OUTPUT_DIR (icons/*.ico and banner.jpg).
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "payload/generator/artwork.h"
#include "payload/generator/jpeg_writer.h"
#include "payload/generator/payload_files.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
    return false;
  }
  std::printf("%s: %zu bytes\n", path.string().c_str(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  bool ok = true;
  for (const payload::PayloadFile& file : payload::RenderIconFiles()) ok = WriteFile(dir / file.name, file.bytes) && ok;
  const std::vector<std::uint8_t> banner = payload::EncodeJpeg(payload::DrawBanner(), 85);
  ok = !banner.empty() && WriteFile(dir / "banner.jpg", banner) && ok;
  return ok ? 0 : 1;
}

// Every icon file the programs carry, rendered into bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace payload {

struct PayloadFile {
  std::string name;  // path relative to the payload folder, e.g. "icons/ec.ico"
  std::vector<std::uint8_t> bytes;
};

// All icon files, in a fixed order; the same bytes on every run.
std::vector<PayloadFile> RenderIconFiles();

}  // namespace payload

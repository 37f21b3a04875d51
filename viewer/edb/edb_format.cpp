#include "viewer/edb/edb_format.h"

#include <algorithm>

#include "common/gbk_text.h"

namespace raz::edb::format {

std::string AuxiliaryPath(std::string_view database_path) {
  // The file name begins after the last backslash or slash.
  std::size_t name_start = 0;
  for (char separator : {'\\', '/'}) {
    std::size_t at = FindLastSingleByte(database_path, separator);
    if (at != kNoPos) name_start = std::max(name_start, at + 1);
  }
  std::string_view name = database_path.substr(name_start);
  std::size_t dot = FindLastSingleByte(name, '.');
  if (dot == kNoPos) return std::string(database_path) + ".edt";
  std::string_view extension = name.substr(dot + 1);
  bool upper = std::any_of(extension.begin(), extension.end(),
                           [](char c) { return c >= 'A' && c <= 'Z'; });
  std::string path(database_path.substr(0, name_start + dot + 1));
  path += upper ? "EDT" : "edt";
  return path;
}

}  // namespace raz::edb::format

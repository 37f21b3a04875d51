#include "viewer/edb/edb_format.h"

#include <algorithm>

#include "common/gbk_text.h"

namespace raz::edb::format {

std::size_t FileNameStart(std::string_view path) {
  std::size_t start = 0;
  for (char separator : {'\\', '/'}) {
    const std::size_t at = FindLastSingleByte(path, separator);
    if (at != kNoPos) start = std::max(start, at + 1);
  }
  return start;
}

std::string AuxiliaryPath(std::string_view database_path) {
  const std::size_t name_start = FileNameStart(database_path);
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

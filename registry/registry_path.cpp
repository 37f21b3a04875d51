#include "common/gbk_text.h"
#include "registry/registry_items.h"

namespace raz {

RegistryItemPath SplitRegistryItemPath(std::string_view path) {
  // Stop at an embedded NUL: the path is a C text for the platform.
  path = path.substr(0, path.find('\0'));
  const std::size_t split = FindLastBackslash(path);
  if (split == kNoPos) return {std::string(), std::string(path)};
  return {std::string(path.substr(0, split)), std::string(path.substr(split + 1))};
}

}  // namespace raz

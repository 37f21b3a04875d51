// Registry item access over the real registry (advapi32).
#pragma once

#include <windows.h>

#include "registry/registry_items.h"

namespace raz {

HKEY ToHkey(RegistryRoot root);

class Win32Registry : public RegistryItems {
 public:
  std::string ReadRegistryText(RegistryRoot root, std::string_view path, std::string_view fallback = {}) override;
  bool WriteRegistryText(RegistryRoot root, std::string_view path, std::string_view text) override;
  bool DeleteRegistryItem(RegistryRoot root, std::string_view path) override;
  bool RegistryItemExists(RegistryRoot root, std::string_view path) override;
};

}  // namespace raz

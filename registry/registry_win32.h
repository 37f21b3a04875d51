// Registry item access over the real registry (advapi32).
#pragma once

#include <windows.h>

#include "registry/registry_items.h"

namespace raz {

HKEY ToHkey(RegistryRoot root);

class Win32Registry : public RegistryItems {
 public:
  // How a value's type and data are queried: RegQueryValueExA, or a test's
  // stand-in that reports what the registry might (any size at all).
  using QueryValue = LSTATUS(APIENTRY*)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
  explicit Win32Registry(QueryValue query = RegQueryValueExA) : query_(query) {}

  std::string ReadRegistryText(RegistryRoot root, std::string_view path, std::string_view fallback = {}) override;
  bool WriteRegistryText(RegistryRoot root, std::string_view path, std::string_view text) override;
  bool DeleteRegistryItem(RegistryRoot root, std::string_view path) override;
  bool RegistryItemExists(RegistryRoot root, std::string_view path) override;
  std::vector<std::string> SubkeyNames(RegistryRoot root, std::string_view key) override;

 private:
  std::string ReadText(RegistryRoot root, std::string_view path, std::string_view fallback);
  QueryValue query_;
};

}  // namespace raz

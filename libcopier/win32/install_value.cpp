#include "libcopier/win32/install_value.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "common/win32/unique_handle.h"
#include "libcopier/copy_request.h"

namespace raz {

std::string ReadInstallValue() {
  UniqueHKey key;
  if (RegOpenKeyA(HKEY_CURRENT_USER, kInstallKey, key.put()) != ERROR_SUCCESS) return {};

  std::vector<char> data(1024);
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(data.size());
  LONG rc = RegQueryValueExA(key.get(), kInstallValueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
  while (rc == ERROR_MORE_DATA) {
    // The call reported the size it needs; never hand it an empty buffer.
    data.assign(std::max<DWORD>(size, 1), '\0');
    size = static_cast<DWORD>(data.size());
    rc = RegQueryValueExA(key.get(), kInstallValueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
  }
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};

  const auto end = data.begin() + std::min<std::size_t>(size, data.size());
  return std::string(data.begin(), std::find(data.begin(), end, '\0'));
}

}  // namespace raz

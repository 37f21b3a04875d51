#include "registry/registry_win32.h"

#include <algorithm>
#include <vector>

#include "common/win32/unique_handle.h"

namespace raz {

HKEY ToHkey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users: return HKEY_USERS;
    case RegistryRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
  }
  return HKEY_CLASSES_ROOT;
}

namespace {

// The stored text up to its first NUL, never past the bytes the query returned.
std::string TextOf(const std::vector<char>& data, DWORD size) {
  const std::size_t n = std::min<std::size_t>(size, data.size());
  std::size_t len = 0;
  while (len < n && data[len] != '\0') ++len;
  return std::string(data.data(), len);
}

std::string ExpandText(const std::string& text, bool* ok) {
  *ok = false;
  const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  if (needed == 0) return {};
  std::vector<char> out(needed + 1, '\0');
  const DWORD got = ExpandEnvironmentStringsA(text.c_str(), out.data(), needed);
  if (got == 0 || got > needed) return {};
  *ok = true;
  return std::string(out.data());
}

}  // namespace

std::string Win32Registry::ReadRegistryText(RegistryRoot root, std::string_view path, std::string_view fallback) {
  const RegistryItemPath item = SplitRegistryItemPath(path);
  UniqueHKey key;
  if (RegOpenKeyExA(ToHkey(root), item.key.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
    return std::string(fallback);
  }
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), item.value.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || size == 0 ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::string(fallback);
  }
  // One spare NUL so a value stored without its terminator still ends.
  std::vector<char> data(size + 1, '\0');
  DWORD got = size;
  if (RegQueryValueExA(key.get(), item.value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got) !=
      ERROR_SUCCESS) {
    return std::string(fallback);
  }
  key.reset();
  std::string text = TextOf(data, got);
  if (type == REG_SZ) return text;
  if (type != REG_EXPAND_SZ) return std::string(fallback);
  bool ok = false;
  std::string expanded = ExpandText(text, &ok);
  return ok ? expanded : std::string(fallback);
}

bool Win32Registry::WriteRegistryText(RegistryRoot root, std::string_view path, std::string_view text) {
  const RegistryItemPath item = SplitRegistryItemPath(path);
  UniqueHKey key;
  if (RegOpenKeyExA(ToHkey(root), item.key.c_str(), 0, KEY_WRITE, key.put()) != ERROR_SUCCESS &&
      RegCreateKeyA(ToHkey(root), item.key.c_str(), key.put()) != ERROR_SUCCESS) {
    return false;
  }
  const std::string value(text.substr(0, text.find('\0')));
  return RegSetValueExA(key.get(), item.value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteRegistryItem(RegistryRoot root, std::string_view path) {
  const RegistryItemPath item = SplitRegistryItemPath(path);
  bool deleted = false;
  {
    UniqueHKey key;
    if (RegOpenKeyExA(ToHkey(root), item.key.c_str(), 0, KEY_WRITE, key.put()) == ERROR_SUCCESS) {
      deleted = RegDeleteValueA(key.get(), item.value.c_str()) == ERROR_SUCCESS;
    }
  }
  if (!deleted) {
    const std::string whole(path.substr(0, path.find('\0')));
    deleted = RegDeleteKeyA(ToHkey(root), whole.c_str()) == ERROR_SUCCESS;
  }
  return deleted;
}

bool Win32Registry::RegistryItemExists(RegistryRoot root, std::string_view path) {
  const RegistryItemPath item = SplitRegistryItemPath(path);
  UniqueHKey key;
  if (RegOpenKeyExA(ToHkey(root), item.key.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return false;
  return RegQueryValueExA(key.get(), item.value.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace raz

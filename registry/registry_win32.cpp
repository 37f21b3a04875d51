#include "registry/registry_win32.h"

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string>
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

// The text with its environment references expanded, in the ANSI code page.
// The expansion runs on UTF-16 and each buffer is sized by the converted result:
// the count that ExpandEnvironmentStringsA reports for its sizing call is not a
// byte count, so a result with double-byte characters would come back cut.
std::optional<std::string> ExpandText(const std::string& text) {
  const int wide_size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (wide_size <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
  if (MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), wide_size) <= 0) return std::nullopt;

  // Grow until the expansion fits; each call reports the size it needs.
  std::wstring expanded(static_cast<std::size_t>(wide_size) + MAX_PATH, L'\0');
  for (;;) {
    const DWORD needed = ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
    if (needed == 0) return std::nullopt;
    if (needed <= expanded.size()) {
      expanded.resize(std::wcslen(expanded.c_str()));
      break;
    }
    expanded.assign(needed, L'\0');
  }

  if (expanded.empty()) return std::string();
  const int size = WideCharToMultiByte(CP_ACP, 0, expanded.data(), static_cast<int>(expanded.size()), nullptr, 0,
                                       nullptr, nullptr);
  if (size <= 0) return std::nullopt;
  std::string out(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(CP_ACP, 0, expanded.data(), static_cast<int>(expanded.size()), out.data(), size, nullptr,
                          nullptr) != size) {
    return std::nullopt;
  }
  return out;
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
  std::optional<std::string> expanded = ExpandText(text);
  return expanded ? *std::move(expanded) : std::string(fallback);
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

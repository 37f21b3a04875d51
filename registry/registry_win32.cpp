#include "registry/registry_win32.h"

#include <algorithm>
#include <cwchar>
#include <exception>
#include <memory>
#include <new>
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
std::string TextOf(const char* data, DWORD size) {
  std::size_t len = 0;
  while (len < size && data[len] != '\0') ++len;
  return std::string(data, len);
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

// Any failure, an allocation among them, reads as the fallback. Copying the
// fallback may fail as well: the empty text then stands for it.
std::string Win32Registry::ReadRegistryText(RegistryRoot root, std::string_view path, std::string_view fallback) {
  try {
    return ReadText(root, path, fallback);
  } catch (const std::exception&) {
  }
  try {
    return std::string(fallback);
  } catch (const std::exception&) {
    return {};
  }
}

std::string Win32Registry::ReadText(RegistryRoot root, std::string_view path, std::string_view fallback) {
  const RegistryItemPath item = SplitRegistryItemPath(path);
  UniqueHKey key;
  if (RegOpenKeyExA(ToHkey(root), item.key.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
    return std::string(fallback);
  }
  DWORD type = 0;
  DWORD size = 0;
  if (query_(key.get(), item.value.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || size == 0 ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::string(fallback);
  }
  // One spare NUL so a value stored without its terminator still ends. The
  // buffer is not filled first, so a size the memory cannot hold fails here
  // and is not paid for page by page.
  const std::size_t buffer_size = static_cast<std::size_t>(size) + 1;
  if (buffer_size <= size) return std::string(fallback);
  std::unique_ptr<char[]> data(new (std::nothrow) char[buffer_size]);
  if (!data) return std::string(fallback);
  DWORD got = size;
  if (query_(key.get(), item.value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.get()), &got) !=
      ERROR_SUCCESS) {
    return std::string(fallback);
  }
  key.reset();
  std::string text = TextOf(data.get(), std::min(got, size));
  if (type == REG_SZ) return text;
  if (type != REG_EXPAND_SZ) return std::string(fallback);
  std::optional<std::string> expanded = ExpandText(text);
  return expanded ? *std::move(expanded) : std::string(fallback);
}

bool Win32Registry::WriteRegistryText(RegistryRoot root, std::string_view path, std::string_view text) try {
  const RegistryItemPath item = SplitRegistryItemPath(path);
  UniqueHKey key;
  if (RegOpenKeyExA(ToHkey(root), item.key.c_str(), 0, KEY_WRITE, key.put()) != ERROR_SUCCESS &&
      RegCreateKeyA(ToHkey(root), item.key.c_str(), key.put()) != ERROR_SUCCESS) {
    return false;
  }
  const std::string value(text.substr(0, text.find('\0')));
  return RegSetValueExA(key.get(), item.value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
} catch (const std::exception&) {
  return false;
}

bool Win32Registry::DeleteRegistryItem(RegistryRoot root, std::string_view path) try {
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
} catch (const std::exception&) {
  return false;
}

bool Win32Registry::RegistryItemExists(RegistryRoot root, std::string_view path) try {
  const RegistryItemPath item = SplitRegistryItemPath(path);
  UniqueHKey key;
  if (RegOpenKeyExA(ToHkey(root), item.key.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return false;
  return query_(key.get(), item.value.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
} catch (const std::exception&) {
  return false;
}

std::vector<std::string> Win32Registry::SubkeyNames(RegistryRoot root, std::string_view key_path) try {
  std::vector<std::string> names;
  UniqueHKey key;
  const std::string path(key_path.substr(0, key_path.find('\0')));
  if (RegOpenKeyExA(ToHkey(root), path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return names;
  DWORD count = 0;
  DWORD longest = 0;
  if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS) {
    return names;
  }
  names.reserve(count);
  // Key names are at most 255 characters; the reported longest may be given in
  // characters, so the buffer leaves room for two bytes each.
  std::vector<char> name(std::max<DWORD>(longest, 255) * 2 + 1);
  for (DWORD index = 0;; ++index) {
    DWORD size = static_cast<DWORD>(name.size());
    const LSTATUS status =
        RegEnumKeyExA(key.get(), index, name.data(), &size, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) break;
    names.emplace_back(name.data(), size);
  }
  return names;
} catch (const std::exception&) {
  return {};
}

}  // namespace raz

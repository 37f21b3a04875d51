#include "win/driver/scratch.h"

#include <vector>

#include "common/win32/unique_handle.h"

namespace raz::test {

namespace {

bool KeyExists(HKEY root, const std::string& key) {
  UniqueHKey h;
  return RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, h.put()) == ERROR_SUCCESS;
}

}  // namespace

ScratchDir::ScratchDir(const std::string& prefix) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  path_ = std::string(temp) + prefix + "_" + std::to_string(GetCurrentProcessId()) + "_" +
          std::to_string(GetTickCount()) + "_" + std::to_string(++counter) + "\\";
  RemoveTree(path_.substr(0, path_.size() - 1));
  CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchDir::~ScratchDir() { RemoveTree(path_.substr(0, path_.size() - 1)); }

bool ScratchDir::MakeDir(const std::string& relative) const {
  for (std::size_t i = 0; i <= relative.size(); ++i) {
    if (i == relative.size() || relative[i] == '\\') {
      CreateDirectoryA((path_ + relative.substr(0, i)).c_str(), nullptr);
    }
  }
  const DWORD attrs = GetFileAttributesA((path_ + relative).c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool ScratchDir::WriteFile(const std::string& relative, const std::string& bytes) const {
  const UniqueFile f(CreateFileA((path_ + relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return false;
  DWORD written = 0;
  return ::WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

std::string ReadFileBytes(const std::string& path) {
  const UniqueFile f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
  if (!f) return "<missing>";
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(f.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  return bytes;
}

void RemoveTree(const std::string& path) {
  const DWORD attrs = GetFileAttributesA(path.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) return;
  if (!(attrs & FILE_ATTRIBUTE_DIRECTORY)) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    return;
  }
  WIN32_FIND_DATAA found;
  if (const UniqueFind search(FindFirstFileA((path + "\\*").c_str(), &found)); search) {
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") RemoveTree(path + "\\" + name);
    } while (FindNextFileA(search.get(), &found));
  }
  RemoveDirectoryA(path.c_str());
}

SavedRegistryValue::SavedRegistryValue(HKEY root, const std::string& key, const std::string& name)
    : root_(root), key_(key), name_(name) {
  for (std::size_t i = 0; i <= key.size(); ++i) {
    if (i == key.size() || key[i] == '\\') {
      if (!KeyExists(root, key.substr(0, i))) {
        first_missing_key_ = key.substr(0, i);
        return;
      }
    }
  }
  UniqueHKey h;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, h.put()) != ERROR_SUCCESS) return;
  DWORD size = 0;
  if (RegQueryValueExA(h.get(), name.c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
    std::vector<char> data(size + 1);
    if (RegQueryValueExA(h.get(), name.c_str(), nullptr, &type_, reinterpret_cast<BYTE*>(data.data()), &size) ==
        ERROR_SUCCESS) {
      had_value_ = true;
      bytes_.assign(data.data(), size);
    }
  }
}

SavedRegistryValue::~SavedRegistryValue() {
  if (!first_missing_key_.empty()) {
    RegDeleteTreeA(root_, first_missing_key_.c_str());
    RegDeleteKeyA(root_, first_missing_key_.c_str());
    return;
  }
  if (had_value_) {
    Set(type_, bytes_);
    return;
  }
  UniqueHKey h;  // the key existed: make sure it still does, without the value
  RegCreateKeyA(root_, key_.c_str(), h.put());
  Delete();
}

bool SavedRegistryValue::Set(DWORD type, const std::string& bytes) const {
  UniqueHKey h;
  if (RegCreateKeyA(root_, key_.c_str(), h.put()) != ERROR_SUCCESS) return false;
  return RegSetValueExA(h.get(), name_.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

void SavedRegistryValue::Delete() const {
  UniqueHKey h;
  if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_SET_VALUE, h.put()) != ERROR_SUCCESS) return;
  RegDeleteValueA(h.get(), name_.c_str());
}

void SavedRegistryValue::DeleteKey() const {
  RegDeleteTreeA(root_, key_.c_str());
  RegDeleteKeyA(root_, key_.c_str());
}

}  // namespace raz::test

// Throwaway state for tests that run real programs: a scratch directory under
// the temp folder, and a registry value put back as it was afterwards.
#pragma once

#include <windows.h>

#include <string>

namespace raz::test {

// A fresh directory under GetTempPathA, removed with everything in it at the end.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& prefix);
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // The directory, with a trailing backslash.
  const std::string& path() const { return path_; }
  // path() + relative.
  std::string operator/(const std::string& relative) const { return path_ + relative; }
  // Creates the directory path() + relative (and its parents).
  bool MakeDir(const std::string& relative) const;
  // Writes `bytes` to path() + relative, creating or replacing the file.
  bool WriteFile(const std::string& relative, const std::string& bytes) const;

 private:
  std::string path_;
};

// Contents of a file, or "<missing>".
std::string ReadFileBytes(const std::string& path);
// Removes a file or a directory tree.
void RemoveTree(const std::string& path);

// Remembers a registry value (and whether its key existed) and restores both
// when it goes: the value is written back or deleted, keys it created are removed.
class SavedRegistryValue {
 public:
  SavedRegistryValue(HKEY root, const std::string& key, const std::string& name);
  ~SavedRegistryValue();
  SavedRegistryValue(const SavedRegistryValue&) = delete;
  SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;

  // Stores raw bytes of the given type (creating the key).
  bool Set(DWORD type, const std::string& bytes) const;
  // Stores a REG_SZ text with its NUL.
  bool SetText(const std::string& text) const { return Set(REG_SZ, text + '\0'); }
  // Removes the value (the key stays).
  void Delete() const;
  // Removes the key and its subkeys.
  void DeleteKey() const;

 private:
  HKEY root_;
  std::string key_, name_;
  std::string first_missing_key_;  // the highest key that did not exist; "" when all did
  bool had_value_ = false;
  DWORD type_ = 0;
  std::string bytes_;
};

}  // namespace raz::test

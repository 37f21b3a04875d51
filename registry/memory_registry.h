// An in-memory registry with the behaviour of the real one that the programs
// rely on, for host tests: case-insensitive key and value names, typed values,
// unset default values, keys with subkeys that refuse deletion. HKEY_CLASSES_ROOT
// is one tree of its own, as under Wine (no per-user merge).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "registry/registry_items.h"

namespace raz {

enum class RegType : std::uint32_t { None = 0, Sz = 1, ExpandSz = 2, Binary = 3, Dword = 4, MultiSz = 7 };

class MemoryRegistry : public RegistryItems {
 public:
  // Expands %NAME% references of REG_EXPAND_SZ values; the default one reads
  // the process environment and leaves unknown names as they are.
  using Expander = std::function<std::string(const std::string&)>;

  MemoryRegistry();
  explicit MemoryRegistry(Expander expander);
  ~MemoryRegistry() override;

  std::string ReadRegistryText(RegistryRoot root, std::string_view path, std::string_view fallback = {}) override;
  bool WriteRegistryText(RegistryRoot root, std::string_view path, std::string_view text) override;
  bool DeleteRegistryItem(RegistryRoot root, std::string_view path) override;
  bool RegistryItemExists(RegistryRoot root, std::string_view path) override;
  std::vector<std::string> SubkeyNames(RegistryRoot root, std::string_view key) override;

  // Test setup and inspection, below the item operations.
  void SetValue(RegistryRoot root, std::string_view key, std::string_view name, RegType type, std::string bytes);
  bool KeyExists(RegistryRoot root, std::string_view key) const;
  // The bytes stored for a value, exactly as written; nullopt when it is missing.
  std::optional<std::string> StoredBytes(RegistryRoot root, std::string_view key, std::string_view name) const;
  // Refuses every write while set (opening for write fails, as for a key the
  // user may not change).
  void SetReadOnly(bool read_only) { read_only_ = read_only; }

  // One line per value under `key` (whole tree), sorted:
  //   key\path|name|type|data   (name empty for the default value)
  // and one line "key\path|" per key that holds no values. Names keep the case
  // they were created with; lines are ordered case-insensitively.
  std::vector<std::string> Dump(RegistryRoot root, std::string_view key = {}) const;

 private:
  struct Key;
  Key* Find(RegistryRoot root, std::string_view key) const;
  Key* Create(RegistryRoot root, std::string_view key);

  std::map<RegistryRoot, std::unique_ptr<Key>> roots_;
  Expander expander_;
  bool read_only_ = false;
};

// Expands %NAME% with the process environment; unknown names stay.
std::string ExpandFromEnvironment(const std::string& text);

}  // namespace raz

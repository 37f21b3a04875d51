// Registry item access: one text names a key path and a value name together,
// split at its last backslash that stands as a character of its own. A path
// ending in a backslash names the key's default value; a path without one names
// a value directly under the root key.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace raz {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

struct RegistryItemPath {
  std::string key;    // relative to the root; empty for the root itself
  std::string value;  // empty for the key's default value
};

RegistryItemPath SplitRegistryItemPath(std::string_view path);

// The operations that Ravelmend and Tallyscope use to touch the registry.
// Implemented over the real registry (Win32Registry) and in memory for tests
// (MemoryRegistry). None of them throws: a failure of any kind, an allocation
// included, gives the fallback text, false or an empty list.
class RegistryItems {
 public:
  virtual ~RegistryItems() = default;

  // A REG_SZ value as stored (up to its first NUL), a REG_EXPAND_SZ value
  // expanded; `fallback` for anything else, a missing item or zero stored bytes.
  virtual std::string ReadRegistryText(RegistryRoot root, std::string_view path, std::string_view fallback = {}) = 0;
  // Opens or creates the key (with every missing key above it) and stores a
  // REG_SZ of the text and its NUL. True iff the value was stored.
  virtual bool WriteRegistryText(RegistryRoot root, std::string_view path, std::string_view text) = 0;
  // Deletes the named value; failing that, the key named by the whole path.
  virtual bool DeleteRegistryItem(RegistryRoot root, std::string_view path) = 0;
  // True iff the named value can be queried.
  virtual bool RegistryItemExists(RegistryRoot root, std::string_view path) = 0;
  // The names of the key's direct subkeys as stored; "" names the root itself.
  // Empty when the key cannot be opened or listed.
  virtual std::vector<std::string> SubkeyNames(RegistryRoot root, std::string_view key) = 0;
};

}  // namespace raz

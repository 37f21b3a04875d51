// Readers of the current associations under HKEY_CLASSES_ROOT.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "registry/registry_items.h"

namespace raz {

// The ProgID that the extension (with its dot, ".lib") points at: the default
// value of its key. `fallback` when that value is missing, not text, or the
// empty text: an empty ProgID would address the root of HKEY_CLASSES_ROOT.
std::string ReadExtensionProgId(RegistryItems& registry, std::string_view extension, std::string_view fallback);

// The default value of the ProgID's DefaultIcon key, or "".
std::string ReadProgIdIcon(RegistryItems& registry, std::string_view prog_id);

// The classes that extensions other than the environment's six point at
// (.exe's exefile, .txt's txtfile), compared in any ASCII case. The list of
// extensions under HKEY_CLASSES_ROOT is read once, on the first question, and
// kept for the life of the object: one repair, one start-up.
class OtherExtensionClasses {
 public:
  explicit OtherExtensionClasses(RegistryItems& registry) : registry_(registry) {}
  bool Contains(std::string_view prog_id);

 private:
  RegistryItems& registry_;
  std::optional<std::set<std::string>> lower_;  // AsciiLower of each class
};

// True when a ProgID read for one of the environment's types may take that
// type's entries: a plain class of its own. Refused are the empty text, a name
// with a backslash (it would address a key inside another class), a name that
// starts with a dot (an extension), the shell's own keys (*, CLSID, Folder and
// the like), the default ProgID of another of the six types, and a class that
// an extension other than the six points at: the repair runs elevated, and
// writing there would change how the shell opens other files. The last test
// is asked only for a name that passes the others.
bool IsOwnClass(OtherExtensionClasses& others, std::string_view prog_id, std::string_view default_prog_id);

// The ProgID a type's entries go under: the extension's ProgID when it is a
// class of its own (IsOwnClass), else the type's default ProgID. An extension
// without a ProgID gives the default as well; `refused` tells the caller that
// the extension points elsewhere and must be pointed at the default.
struct TypeProgId {
  std::string prog_id;
  bool refused = false;
};
TypeProgId ReadTypeProgId(RegistryItems& registry, OtherExtensionClasses& others, std::string_view extension,
                          std::string_view default_prog_id);

}  // namespace raz

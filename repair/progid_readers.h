// Readers of the current associations under HKEY_CLASSES_ROOT.
#pragma once

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

}  // namespace raz

// Writes and deletes under HKEY_CLASSES_ROOT as the registrations use them.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "registry/registry_items.h"

namespace raz {

// True iff the text was stored at the registry item path.
bool WriteClassesRoot(RegistryItems& registry, const std::string& path, std::string_view text);

// Deletes each item in turn: its value, or failing that the key named by the
// whole path when it has no subkeys. Results are not looked at: an item that is
// already gone is what the caller wants.
void DeleteClassesRoot(RegistryItems& registry, std::initializer_list<std::string> paths);

// Removes a context-menu verb from the inside out: the command text, the
// Command key, the verb's default value, and the verb key itself. A key that
// still holds subkeys stays.
void DeleteVerb(RegistryItems& registry, const std::string& verb_key);

}  // namespace raz

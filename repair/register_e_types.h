// Registration of the environment's own file types: source programs (.e),
// program configuration files (.e8), modules (.ec) and databases (.edb).
#pragma once

#include <string_view>

#include "repair/repair_context.h"

namespace raz {

// Creates the environment's help and tools folders, rewrites the install value,
// then writes or deletes the entries of the four types under HKEY_CLASSES_ROOT
// as the option check boxes say (checked state only), installing the .ec and
// .edb icons and the viewer when they are missing. Every HKEY_CLASSES_ROOT write
// is required: the first that fails returns false at once, leaving what was
// done before it. `e_exe_path` is the trimmed path the user chose.
bool RegisterEFileTypes(const RepairContext& context, std::string_view e_exe_path);

}  // namespace raz

// Registration of the environment's support libraries (.fne) and static
// libraries (.lib): the carried icon and the context-menu verb 复制到raz目录.
#pragma once

#include <string_view>

#include "repair/repair_context.h"

namespace raz {

// Each reuses the ProgID already set for its extension (else FNE.Document or
// LIB.Document; case counts) and rewrites the extension only while its own
// default ProgID is in use. An icon option that is disabled counts as off. All
// failures are silent. `environment_directory` ends with a backslash or is "".
void RegisterFneType(const RepairContext& context, std::string_view environment_directory);
void RegisterLibType(const RepairContext& context, std::string_view environment_directory);

}  // namespace raz

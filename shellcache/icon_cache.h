// Makes the shell show changed file-type icons.
#pragma once

#include <string>

namespace raz {

// Clears the file's attributes (read-only, hidden, system), then deletes it.
// True iff the deletion succeeded.
bool ForceDeleteFile(const std::string& path);

// Deletes Explorer's icon and thumbnail caches of the current user, announces
// that associations changed and broadcasts a setting change (1 s time-out).
void RefreshIconCache();

}  // namespace raz

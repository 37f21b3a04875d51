#pragma once

#include <string>

namespace raz {

// True when a directory search for `name` finds an entry: an existing file or
// directory, or a wildcard pattern that matches something. False for "".
bool FileExists(const std::string& name);

}  // namespace raz

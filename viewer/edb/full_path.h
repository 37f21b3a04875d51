// Making a file name a full path, the way the platform resolves it. The
// engine calls it through a replaceable function so tests can pose paths.
#pragma once

#include <string>

namespace raz::edb {

// Writes the full path of `name` to *full; false when it cannot be made.
using FullPathMaker = bool (*)(const std::string& name, std::string* full);

// The platform's own maker (full_path_*.cpp).
bool MakeFullPath(const std::string& name, std::string* full);

// Replaces the maker the engine uses; null restores MakeFullPath.
void SetFullPathMaker(FullPathMaker maker);

}  // namespace raz::edb

// The real registry written out in MemoryRegistry::Dump's line format, so a
// Windows test can compare it with what the in-memory double holds.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace raz::test {

// Lines "key|name|type|data" for every value under `key` (whole tree) and
// "key|" for each key without values, sorted as MemoryRegistry::Dump sorts.
std::vector<std::string> DumpRegistry(HKEY root, const std::string& key);

// Removes `key` and everything below it.
void DeleteRegistryTree(HKEY root, const std::string& key);

}  // namespace raz::test

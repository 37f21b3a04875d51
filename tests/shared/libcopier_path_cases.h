// Absolute paths and the folder, name and lower-case extension the copier
// derives from each: drive roots, several dots, no extension, a name that is
// only an extension, a UNC share and two-byte characters. The host fake and
// the real file system must agree on every row.
#pragma once

#include <gtest/gtest.h>

#include "libcopier/file_facts.h"

namespace raz {

struct LibcopierPathCase {
  const char* path;
  const char* folder;
  const char* name;
  const char* extension;
};

inline constexpr LibcopierPathCase kLibcopierPathCases[] = {
    {"C:\\E\\lib\\Grid.FNE", "C:\\E\\lib", "Grid.FNE", ".fne"},
    {"D:\\x.lib", "D:\\", "x.lib", ".lib"},
    {"C:\\t\\archive.tar.LIB", "C:\\t", "archive.tar.LIB", ".lib"},
    {"C:\\my.dir\\file", "C:\\my.dir", "file", ""},
    {"C:\\t\\.FNE", "C:\\t", ".FNE", ".fne"},
    {"\\\\server\\share\\a.fne", "\\\\server\\share", "a.fne", ".fne"},
    {"C:\\库\\网格.FnE", "C:\\库", "网格.FnE", ".fne"},
};

// The facts derived from a row's path, for a file that does not exist.
inline void ExpectFactsOf(const LibcopierPathCase& c, const FileFacts& facts) {
  SCOPED_TRACE(c.path);
  EXPECT_EQ(facts.full_path, c.path);
  EXPECT_EQ(facts.folder, c.folder);
  EXPECT_EQ(facts.name, c.name);
  EXPECT_EQ(facts.extension, c.extension);
  EXPECT_EQ(facts.size_text, "-1 B");
}

}  // namespace raz

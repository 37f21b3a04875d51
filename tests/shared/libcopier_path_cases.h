// Absolute paths and the folder, name and lower-case extension the copier
// derives from each: drive roots, several dots, no extension, a name that is
// only an extension, a UNC share and two-byte characters. The host fake and
// the real file system must agree on every row.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

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

// The file system of the host tests: relative paths resolve against C:\cwd, the
// file part goes the way the shell removes it from drive and UNC paths, and
// sizes, existing paths and paths that name one file come from tables. Every
// existence question is recorded in `asked`.
class FakePathFacts : public PathFacts {
 public:
  std::string FullPathName(const std::string& path) const override {
    if (path.size() >= 2 && (path[1] == ':' || path.rfind("\\\\", 0) == 0)) return path;
    return "C:\\cwd\\" + path;
  }
  std::string RemoveFileSpec(const std::string& full_path) const override {
    const auto slash = full_path.find_last_of('\\');
    if (slash == std::string::npos) return "";
    if (slash == 2 && full_path[1] == ':') return full_path.substr(0, 3);
    return full_path.substr(0, slash);
  }
  std::int64_t QueryFileSize(const std::string& path) const override {
    const auto it = sizes.find(path);
    return it == sizes.end() ? -1 : it->second;
  }
  bool Exists(const std::string& path) const override {
    asked.push_back(path);
    return existing.count(path) > 0;
  }
  bool SameFile(const std::string& a, const std::string& b) const override {
    return a == b || same_files.count({a, b}) > 0 || same_files.count({b, a}) > 0;
  }

  std::map<std::string, std::int64_t> sizes;
  std::set<std::string> existing;
  std::set<std::pair<std::string, std::string>> same_files;  // other spellings of one file
  mutable std::vector<std::string> asked;
};

}  // namespace raz

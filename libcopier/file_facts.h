// FileFacts: the texts that describe one file of a copy, derived from its path.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace raz {

struct FileFacts {
  std::string full_path;  // absolute path, or 256 blanks when it does not fit
  std::string folder;     // full path without its last component
  std::string name;       // last component
  std::string extension;  // from the name's last "." on, ASCII lower case; "" without a dot
  std::string size_text;  // e.g. "1.5 KB"
};

// What the copier asks of the file system: the texts of a record, and the
// questions that choose a run's road.
class PathFacts {
 public:
  virtual ~PathFacts() = default;
  // `path` made absolute against the current directory (the file need not
  // exist); "" when it cannot be resolved or does not fit in 254 bytes.
  virtual std::string FullPathName(const std::string& path) const = 0;
  // `full_path` without its trailing file name and the backslash before it; a
  // drive root keeps its backslash; "" for a text without a backslash.
  virtual std::string RemoveFileSpec(const std::string& full_path) const = 0;
  // The file's size in bytes, or -1 when it cannot be had (missing, a
  // directory, not openable).
  virtual std::int64_t QueryFileSize(const std::string& path) const = 0;
  // True for an existing file or directory.
  virtual bool Exists(const std::string& path) const = 0;
  // True when both paths open one and the same file, however each is spelled
  // (letter case, "." components, short names, links).
  virtual bool SameFile(const std::string& a, const std::string& b) const = 0;
};

// The longest full path a record holds; a longer one becomes kUnfitPath.
constexpr std::size_t kMaxFullPath = 254;
inline const std::string kUnfitPath(256, ' ');

// Fills `facts` from `path`; an empty path leaves the record as it is.
void FillFileFacts(const std::string& path, FileFacts& facts, const PathFacts& fs);

// `full_path` with every occurrence of `folder` removed (matches tried at
// character starts only), then one leading backslash dropped.
std::string NameWithoutFolder(std::string_view full_path, std::string_view folder);

// From the last "." of `name` to its end, ASCII letters lower-cased; "" without a dot.
std::string LowerExtension(std::string_view name);

// The size as a number and a unit: "-1 B", "1023 B", "1.07 KB", "4.77 MB", "1024 GB".
std::string FormatSizeText(std::int64_t size);

}  // namespace raz

#pragma once

#include "libcopier/file_facts.h"

namespace raz {

// File facts from the real file system.
class Win32PathFacts : public PathFacts {
 public:
  std::string FullPathName(const std::string& path) const override;
  std::string RemoveFileSpec(const std::string& full_path) const override;
  std::int64_t QueryFileSize(const std::string& path) const override;
  bool Exists(const std::string& path) const override;
  // Compares the volume serial numbers and file indexes of the two files.
  bool SameFile(const std::string& a, const std::string& b) const override;
};

}  // namespace raz

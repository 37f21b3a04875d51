// Files and folders of a repair on the real file system.
#pragma once

#include "repair/repair_context.h"

namespace raz {

class Win32RepairFiles : public RepairFiles {
 public:
  bool Exists(const std::string& path) override;
  ProgramFileCheck ProgramFile(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  void InstallCarriedFile(CarriedFile file, const std::string& target) override;
};

}  // namespace raz

#include "repair/repair_files_win32.h"

#include <windows.h>

#include "common/win32/file_exists.h"
#include "repair/win32/carried_files_win32.h"

namespace raz {

bool Win32RepairFiles::Exists(const std::string& path) { return FileExists(path); }

bool Win32RepairFiles::CreateFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

void Win32RepairFiles::InstallCarriedFile(CarriedFile file, const std::string& target) {
  const std::string_view bytes = CarriedBytes(file);
  if (!bytes.empty()) WriteNewFile(target, bytes);
}

}  // namespace raz

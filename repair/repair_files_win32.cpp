#include "repair/repair_files_win32.h"

#include <windows.h>

#include "common/win32/file_exists.h"

namespace raz {

bool Win32RepairFiles::Exists(const std::string& path) { return FileExists(path); }

bool Win32RepairFiles::CreateFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

void Win32RepairFiles::InstallCarriedFile(CarriedFile, const std::string&) {
  // Writes nothing yet: the carried files' bytes and their writing come with
  // the payload work, which fills in this function.
}

}  // namespace raz

#include "repair/repair_files_win32.h"

#include <windows.h>

#include "common/win32/file_exists.h"
#include "repair/repair_paths.h"
#include "repair/win32/carried_files_win32.h"

namespace raz {

bool Win32RepairFiles::Exists(const std::string& path) { return FileExists(path); }

ProgramFileCheck Win32RepairFiles::ProgramFile(const std::string& path) {
  using Outcome = ProgramFileCheck::Outcome;
  // A pattern is no file name. '*' and '?' lie below the range of GBK trail
  // bytes, so a plain byte search cannot hit half a character.
  if (path.empty() || path.find_first_of("*?") != std::string::npos) return {};
  // The buffer grows to whatever size the call reports it needs.
  std::string full(MAX_PATH, '\0');
  for (;;) {
    const DWORD got = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (got == 0) return {FitsFileFunctions(path) ? Outcome::Missing : Outcome::TooLong, {}};
    if (got < full.size()) {
      full.resize(got);
      break;
    }
    full.assign(got + 1, '\0');
  }
  // Too long for the file functions that the repair uses: whether it exists
  // cannot be told, and nothing could be written beside it.
  if (!FitsFileFunctions(full)) return {Outcome::TooLong, {}};
  // The attributes of the name itself: no directory search, so a directory is
  // seen as one and nothing matches by pattern.
  const DWORD attributes = GetFileAttributesA(full.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return {};
  return {Outcome::Found, std::move(full)};
}

bool Win32RepairFiles::CreateFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

void Win32RepairFiles::InstallCarriedFile(CarriedFile file, const std::string& target) {
  const std::string_view bytes = CarriedBytes(file);
  if (!bytes.empty()) WriteNewFile(target, bytes);
}

}  // namespace raz

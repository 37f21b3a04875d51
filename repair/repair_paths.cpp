#include "repair/repair_paths.h"

#include <algorithm>

#include "common/gbk_text.h"
#include "repair/repair_context.h"

namespace raz {

std::string EnvironmentDirectoryOf(std::string_view e_exe_path) {
  const std::size_t cut = FindLastBackslash(e_exe_path);
  if (cut == kNoPos) return {};
  return std::string(e_exe_path.substr(0, cut + 1));
}

bool FitsFileFunctions(std::string_view e_exe_path) {
  constexpr std::size_t kMaxPath = 260;  // bytes, the terminating NUL included
  std::size_t longest_name = 0;
  for (CarriedFile file : {CarriedFile::EcIcon, CarriedFile::EdbIcon, CarriedFile::FneIcon, CarriedFile::LibIcon,
                           CarriedFile::Tallyscope, CarriedFile::Ferrydrop}) {
    longest_name = std::max(longest_name, CarriedFileTargetName(file).size());
  }
  return e_exe_path.size() < kMaxPath && EnvironmentDirectoryOf(e_exe_path).size() + longest_name < kMaxPath;
}

std::string ShellCommand(std::string_view program_path) {
  std::string command = "\"";
  command += program_path;
  command += "\" \"%1\"";
  return command;
}

}  // namespace raz

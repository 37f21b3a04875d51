#include "repair/repair_paths.h"

#include "common/gbk_text.h"

namespace raz {

std::string EnvironmentDirectoryOf(std::string_view e_exe_path) {
  const std::size_t cut = FindLastBackslash(e_exe_path);
  if (cut == kNoPos) return {};
  return std::string(e_exe_path.substr(0, cut + 1));
}

std::string ShellCommand(std::string_view program_path) {
  std::string command = "\"";
  command += program_path;
  command += "\" \"%1\"";
  return command;
}

}  // namespace raz

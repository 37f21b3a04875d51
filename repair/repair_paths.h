// Texts that a repair derives from the chosen e.exe path.
#pragma once

#include <string>
#include <string_view>

namespace raz {

// The environment's install value under HKEY_CURRENT_USER: the environment
// directory followed by "lib\".
constexpr std::string_view kInstallValuePath = "Software\\VidOvu\\E\\Install\\Path";

// The chosen e.exe path up to and including its last backslash (found
// character by character), or "" when it has none.
std::string EnvironmentDirectoryOf(std::string_view e_exe_path);

// True when the file functions take the e.exe path and every path a repair
// derives from it: the file itself and the environment directory followed by
// the longest carried file's name, each shorter than MAX_PATH (260) bytes.
bool FitsFileFunctions(std::string_view e_exe_path);

// The command the shell runs to open a file with the program: the program path
// in double quotes, a blank and "%1". Quoting keeps a path with blanks whole,
// both for the shell and for the started program's own argument splitting.
std::string ShellCommand(std::string_view program_path);

}  // namespace raz

// Splitting Tallyscope's command line into its arguments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace raz::viewer {

// The arguments after the program's own path. The program path ends at its
// closing double quote when it begins with one, else at the first blank.
// Between arguments, bytes of code 32 or below are skipped; a quoted argument
// runs to the next double quote (quotes dropped, `""` is an empty argument);
// any other runs to the next byte of code 32 or below or double quote.
// Two-byte GBK characters are never split.
std::vector<std::string> SplitCommandLine(std::string_view command_line);

}  // namespace raz::viewer

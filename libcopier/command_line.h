// Splitting of a process command line into its arguments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace raz {

// The arguments of `command_line`, the program's own name left out.
//
// The own name runs up to and including the closing double quote when the line
// begins with one, else up to and including the first blank; it is scanned
// byte by byte. Between arguments every byte from 0x01 to 0x20 is skipped. A
// quoted argument runs to the next double quote (or the end) and keeps its
// blanks but not its quotes; any other argument ends at a blank, a control byte
// or a double quote. Inside an argument a byte of 0x80 or above is taken
// together with the byte after it, so a two-byte character is never split.
std::vector<std::string> SplitCommandLine(std::string_view command_line);

}  // namespace raz

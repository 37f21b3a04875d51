// The environment directory that Ravelmend and Ferrydrop derive from the
// environment's install value.
#pragma once

#include <string>
#include <string_view>

namespace raz {

// The install value without its trailing "lib\" (or "lib" when it has no
// trailing backslash): four bytes go when the value ends in a backslash, three
// otherwise, whatever they are. A value no longer than that gives "".
std::string EnvironmentDirFromInstallValue(std::string_view install_value);

}  // namespace raz

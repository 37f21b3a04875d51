#pragma once

#include <string>

namespace raz {

// The environment's install value as stored: REG_SZ or REG_EXPAND_SZ data up to
// its first NUL, environment variables left unexpanded. "" when the key or the
// value is missing or of another type.
std::string ReadInstallValue();

}  // namespace raz

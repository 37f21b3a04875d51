// The engine's table of error texts, one for each code from 0 down to -80.
#pragma once

#include <cstdint>
#include <string_view>

namespace raz::edb {

// The text for `code`, or "未知错误" when the table has none.
std::string_view ErrorText(std::int32_t code);

}  // namespace raz::edb

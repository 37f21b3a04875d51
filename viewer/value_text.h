// How a field value of the engine becomes the text of a grid cell.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "viewer/edb/edb.h"

namespace raz::viewer {

// Byte: unsigned decimal; integers: signed decimal; float "%.6g"; double
// "%.13g"; bool 真/假; date-time as DateTimeText; text and memo unchanged;
// byte set up to its first zero byte; the 4-byte kind of its own: empty.
std::string FieldValueText(const edb::FieldValue& value);
// Room for the text of every kind that is formatted: the longest are a date
// with its time (26 bytes) and "%.13g" of a double (20).
using FormattedText = std::array<char, 40>;

// The same as a view: of the value's own bytes for text, memo and byte set
// (a value may hold megabytes, so it is not copied), else of `scratch`, which
// is overwritten (the loader reuses one buffer for every cell).
std::string_view FieldValueText(const edb::FieldValue& value, FormattedText& scratch);

// An OLE Automation date (days since 30 December 1899, the fraction the time
// of day) as "Y年M月D日" followed by "H时M分S秒", "H时M分" or "H时" down to
// the last part that is not 0. Dates after 9999-12-31 show as 9999年12月31日,
// dates before 100-01-01 as 100年1月1日.
std::string DateTimeText(double ole_date);

}  // namespace raz::viewer

#include "viewer/value_text.h"

#include <charconv>
#include <cmath>

namespace raz::viewer {
namespace {

constexpr double kFirstDay = -657434.0;      // 100-01-01
constexpr double kDayAfterLast = 2958466.0;  // 10000-01-01

// Decimal integers and "%.*g" numbers, without printf's cost per call.
template <typename T>
void AppendDecimal(T value, std::string& out) {
  char buf[24];
  out.append(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
}

void AppendGeneral(double value, int precision, std::string& out) {
  char buf[48];
  const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, precision);
  if (result.ec == std::errc()) out.append(buf, result.ptr);
}

struct CivilDate {
  long long year;
  unsigned month;
  unsigned day;
};

// Proleptic Gregorian date of a day counted from 1970-01-01 (H. Hinnant's
// civil_from_days).
CivilDate FromUnixDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<long long>(yoe) + era * 400 + (m <= 2), m, d};
}

}  // namespace

void AppendDateTimeText(double ole_date, std::string& out) {
  if (std::isnan(ole_date)) ole_date = 0.0;
  if (ole_date >= kDayAfterLast) {
    out += "9999年12月31日";
    return;
  }
  // The whole part counts days; the fraction is the time of day on either
  // side of day 0 (-1.25 is 29 December 1899 at 06:00), so a value between
  // -657435 and -657434 is a time on 1 January 100, not before it.
  if (std::trunc(ole_date) < kFirstDay) {
    out += "100年1月1日";
    return;
  }
  long long days = static_cast<long long>(std::trunc(ole_date));
  long long seconds = std::llround(std::fabs(ole_date - static_cast<double>(days)) * 86400.0);
  if (seconds >= 86400) {
    // Rounded up to midnight: the next calendar day, which is day + 1 on
    // both sides of day 0.
    seconds -= 86400;
    ++days;
  }
  const CivilDate date = FromUnixDays(days - 25569);
  if (date.year > 9999) {
    out += "9999年12月31日";
    return;
  }
  AppendDecimal(date.year, out);
  out += "年";
  AppendDecimal(date.month, out);
  out += "月";
  AppendDecimal(date.day, out);
  out += "日";
  const long long hour = seconds / 3600;
  const long long minute = seconds / 60 % 60;
  const long long second = seconds % 60;
  if (second == 0 && minute == 0 && hour == 0) return;
  AppendDecimal(hour, out);
  out += "时";
  if (second == 0 && minute == 0) return;
  AppendDecimal(minute, out);
  out += "分";
  if (second == 0) return;
  AppendDecimal(second, out);
  out += "秒";
}

std::string DateTimeText(double ole_date) {
  std::string text;
  AppendDateTimeText(ole_date, text);
  return text;
}

std::string_view FieldValueText(const edb::FieldValue& value, std::string& scratch) {
  using edb::FieldKind;
  scratch.clear();
  switch (value.kind) {
    case FieldKind::kByte:
      AppendDecimal(static_cast<unsigned>(value.integer & 0xFF), scratch);
      break;
    case FieldKind::kInt16:
    case FieldKind::kInt32:
    case FieldKind::kInt64:
      AppendDecimal(static_cast<long long>(value.integer), scratch);
      break;
    case FieldKind::kFloat:
      AppendGeneral(value.real, 6, scratch);
      break;
    case FieldKind::kDouble:
      AppendGeneral(value.real, 13, scratch);
      break;
    case FieldKind::kBool:
      scratch += value.boolean ? "真" : "假";
      break;
    case FieldKind::kDateTime:
      AppendDateTimeText(value.real, scratch);
      break;
    case FieldKind::kText:
    case FieldKind::kMemo:
    case FieldKind::kByteSet: {
      const std::string_view bytes(value.bytes);
      return bytes.substr(0, bytes.find('\0'));
    }
    case FieldKind::kOpaque:
    case FieldKind::kNone:
      break;
  }
  return scratch;
}

std::string FieldValueText(const edb::FieldValue& value) {
  std::string scratch;
  return std::string(FieldValueText(value, scratch));
}

}  // namespace raz::viewer

#include "viewer/value_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "viewer/text_arena.h"

namespace raz::viewer {
namespace {

constexpr double kFirstDay = -657434.0;      // 100-01-01
constexpr double kDayAfterLast = 2958466.0;  // 10000-01-01

// Writes one formatted text front to back into a FormattedText, which has
// room for the longest text of every kind; a number that would not fit is
// left out rather than written past the end. Literals are copied by their
// known length and numbers go through std::to_chars, so a cell costs neither
// printf's nor a growing string's calls.
class TextWriter {
 public:
  explicit TextWriter(FormattedText& buffer)
      : begin_(buffer.data()), at_(buffer.data()), end_(buffer.data() + buffer.size()) {}

  template <std::size_t N>
  void Put(const char (&literal)[N]) {
    if (static_cast<std::size_t>(end_ - at_) < N - 1) return;
    std::memcpy(at_, literal, N - 1);
    at_ += N - 1;
  }
  template <typename T>
  void Decimal(T value) {
    Advance(std::to_chars(at_, end_, value));
  }
  // "%.*g": at most `precision` significant digits, trailing zeros removed.
  void General(double value, int precision) {
    if (!QuickGeneral(value, precision)) {
      Advance(std::to_chars(at_, end_, value, std::chars_format::general, precision));
    }
  }
  std::string_view Text() const { return {begin_, static_cast<std::size_t>(at_ - begin_)}; }

 private:
  bool QuickGeneral(double value, int precision);
  void Digits(std::uint64_t digits, int count) {
    for (int i = count - 1; i >= 0; --i) {
      at_[i] = static_cast<char>('0' + digits % 10);
      digits /= 10;
    }
    at_ += count;
  }
  void Advance(std::to_chars_result result) {
    if (result.ec == std::errc()) at_ = result.ptr;
  }
  char* begin_;
  char* at_;
  char* end_;
};

// Powers of ten that doubles hold exactly, so that one multiplication or
// division by them rounds once.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;

// "%.*g" for precision <= 15 without the exact (and slow) digit generation
// of std::to_chars: the value is scaled to `precision` digits before the
// decimal point with one rounding, whose error is far below 1e-2 of a unit
// there, and the scaled value is rounded to an integer. False, with nothing
// written, when that rounding might go the other way than the exact one (the
// scaled value lies within 1e-2 of a half), for magnitudes whose scale is
// not an exact double (nonzero below 1e-10, or from 1e22 on), and for
// infinities and NaN: the caller then lets std::to_chars do it.
bool TextWriter::QuickGeneral(double value, int precision) {
  if (!(std::fabs(value) < 1e22) || (value != 0.0 && std::fabs(value) < 1e-10)) return false;
  if (end_ - at_ < 24) return false;
  if (value == 0.0) {
    if (std::signbit(value)) *at_++ = '-';
    *at_++ = '0';
    return true;
  }
  const double magnitude = std::fabs(value);
  const std::uint64_t low = static_cast<std::uint64_t>(kExactPowersOfTen[precision - 1]);
  const std::uint64_t high = low * 10;
  // The decimal exponent: a first guess from the binary one, then corrected
  // by where the rounded digits land. The magnitude is a normal double, at
  // least 2^(exponent2 - 1); 78913 / 2^18 is log10(2) to within 2e-7, and
  // the shift rounds towards minus infinity.
  std::uint64_t bits = 0;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const int exponent2 = static_cast<int>((bits >> 52) & 0x7FF) - 1022;
  int exponent10 = ((exponent2 - 1) * 78913) >> 18;
  std::uint64_t digits = 0;
  for (int attempt = 0;; ++attempt) {
    if (attempt == 3) return false;
    const int scale = precision - 1 - exponent10;
    if (scale > kMaxExactPower || scale < -kMaxExactPower) return false;
    const double scaled = scale >= 0 ? magnitude * kExactPowersOfTen[scale] : magnitude / kExactPowersOfTen[-scale];
    // Below 10^16, so the integer part converts exactly.
    const double whole = static_cast<double>(static_cast<std::uint64_t>(scaled));
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-2) return false;
    digits = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    if (digits >= high) {
      ++exponent10;
    } else if (digits < low) {
      --exponent10;
    } else {
      break;
    }
  }
  int count = precision;
  while (digits % 10 == 0) {
    digits /= 10;
    --count;
  }
  if (value < 0) *at_++ = '-';
  if (exponent10 < -4 || exponent10 >= precision) {
    // d.ddde+XX, the exponent in at least two digits.
    const std::uint64_t divisor = static_cast<std::uint64_t>(kExactPowersOfTen[count - 1]);
    Digits(digits / divisor, 1);
    if (count > 1) {
      *at_++ = '.';
      Digits(digits % divisor, count - 1);
    }
    *at_++ = 'e';
    *at_++ = exponent10 < 0 ? '-' : '+';
    const int shown = exponent10 < 0 ? -exponent10 : exponent10;
    Digits(static_cast<std::uint64_t>(shown), shown < 100 ? 2 : 3);
  } else if (exponent10 < 0) {
    // 0.000ddd
    *at_++ = '0';
    *at_++ = '.';
    for (int i = -1; i > exponent10; --i) *at_++ = '0';
    Digits(digits, count);
  } else if (count <= exponent10 + 1) {
    // ddd000, no decimal point.
    Digits(digits, count);
    for (int i = count; i <= exponent10; ++i) *at_++ = '0';
  } else {
    // ddd.ddd
    const std::uint64_t divisor = static_cast<std::uint64_t>(kExactPowersOfTen[count - 1 - exponent10]);
    Digits(digits / divisor, exponent10 + 1);
    *at_++ = '.';
    Digits(digits % divisor, count - 1 - exponent10);
  }
  return true;
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

void WriteDateTimeText(double ole_date, TextWriter& out) {
  if (std::isnan(ole_date)) ole_date = 0.0;
  if (ole_date >= kDayAfterLast) {
    out.Put("9999年12月31日");
    return;
  }
  // The whole part counts days; the fraction is the time of day on either
  // side of day 0 (-1.25 is 29 December 1899 at 06:00), so a value between
  // -657435 and -657434 is a time on 1 January 100, not before it.
  if (ole_date <= kFirstDay - 1.0) {
    out.Put("100年1月1日");
    return;
  }
  // Both casts truncate towards zero, and the time of day is rounded half
  // away from zero; the subtraction of the whole seconds is exact.
  long long days = static_cast<long long>(ole_date);
  const double time = std::fabs(ole_date - static_cast<double>(days)) * 86400.0;
  long long seconds = static_cast<long long>(time);
  if (time - static_cast<double>(seconds) >= 0.5) ++seconds;
  if (seconds >= 86400) {
    // Rounded up to midnight: the next calendar day, which is day + 1 on
    // both sides of day 0.
    seconds -= 86400;
    ++days;
  }
  const CivilDate date = FromUnixDays(days - 25569);
  if (date.year > 9999) {
    out.Put("9999年12月31日");
    return;
  }
  out.Decimal(date.year);
  out.Put("年");
  out.Decimal(date.month);
  out.Put("月");
  out.Decimal(date.day);
  out.Put("日");
  const long long hour = seconds / 3600;
  const long long minute = seconds / 60 % 60;
  const long long second = seconds % 60;
  if (second == 0 && minute == 0 && hour == 0) return;
  out.Decimal(hour);
  out.Put("时");
  if (second == 0 && minute == 0) return;
  out.Decimal(minute);
  out.Put("分");
  if (second == 0) return;
  out.Decimal(second);
  out.Put("秒");
}

}  // namespace

std::string DateTimeText(double ole_date) {
  FormattedText buffer;
  TextWriter out(buffer);
  WriteDateTimeText(ole_date, out);
  return std::string(out.Text());
}

std::string_view FieldValueText(const edb::FieldValue& value, FormattedText& scratch) {
  using edb::FieldKind;
  TextWriter out(scratch);
  switch (value.kind) {
    case FieldKind::kByte:
      out.Decimal(static_cast<unsigned>(value.integer & 0xFF));
      break;
    case FieldKind::kInt16:
    case FieldKind::kInt32:
    case FieldKind::kInt64:
      out.Decimal(static_cast<long long>(value.integer));
      break;
    case FieldKind::kFloat:
      out.General(value.real, 6);
      break;
    case FieldKind::kDouble:
      out.General(value.real, 13);
      break;
    case FieldKind::kBool:
      if (value.boolean) {
        out.Put("真");
      } else {
        out.Put("假");
      }
      break;
    case FieldKind::kDateTime:
      WriteDateTimeText(value.real, out);
      break;
    case FieldKind::kText:
    case FieldKind::kMemo:
    case FieldKind::kByteSet:
      return UpToFirstZero(value.bytes);
    case FieldKind::kOpaque:
    case FieldKind::kNone:
      break;
  }
  return out.Text();
}

std::string FieldValueText(const edb::FieldValue& value) {
  FormattedText scratch;
  return std::string(FieldValueText(value, scratch));
}

}  // namespace raz::viewer

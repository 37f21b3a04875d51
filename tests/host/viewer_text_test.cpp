#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <tuple>
#include <vector>

#include "viewer/command_line.h"
#include "viewer/dropped_files.h"
#include "viewer/value_text.h"

namespace raz::viewer {
namespace {

using edb::FieldKind;
using edb::FieldValue;
using Args = std::vector<std::string>;

FieldValue Integer(FieldKind kind, std::int64_t v) { return {kind, v, 0.0, false, {}}; }
FieldValue Real(FieldKind kind, double v) { return {kind, 0, v, false, {}}; }
FieldValue Bytes(FieldKind kind, std::string v) { return {kind, 0, 0.0, false, std::move(v)}; }

TEST(FieldValueText, NumbersByKind) {
  EXPECT_EQ(FieldValueText(Integer(FieldKind::kByte, 255)), "255");
  EXPECT_EQ(FieldValueText(Integer(FieldKind::kInt16, -32768)), "-32768");
  EXPECT_EQ(FieldValueText(Integer(FieldKind::kInt64, INT64_MIN)), "-9223372036854775808");
  EXPECT_EQ(FieldValueText(Real(FieldKind::kFloat, static_cast<double>(3.14159274f))), "3.14159");
  EXPECT_EQ(FieldValueText(Real(FieldKind::kFloat, 1e20)), "1e+20");
  EXPECT_EQ(FieldValueText(Real(FieldKind::kDouble, 0.1 + 0.2)), "0.3");
  EXPECT_EQ(FieldValueText(Real(FieldKind::kDouble, 1234567.891234567)), "1234567.891235");
}

// The loader's quick "%.*g" must give what the exact conversion gives (that
// is printf's), on every build and its floating-point unit: random bits over
// the whole range, short decimals, halves that tie and values next to powers
// of ten.
TEST(FieldValueText, RealsMatchTheExactConversion) {
  std::mt19937_64 random(20261210);
  std::vector<double> values = {0.5, -0.0, 1.25, 1e-10, 9.9999999999995, 99999.95, 999999.5, 1e21, -9.9999995e21};
  for (int i = 0; i < 30000; ++i) {
    const auto bits = random();
    values.push_back(std::ldexp(static_cast<double>(bits >> 11), static_cast<int>(bits % 160) - 140) *
                     (bits & 1024 ? -1 : 1));
    values.push_back(static_cast<double>(bits % 100000000) / std::pow(10.0, static_cast<int>(bits % 13)));
    values.push_back((static_cast<double>(bits % 10000000) + 0.5) * std::pow(10.0, static_cast<int>(bits % 9) - 4));
    values.push_back(std::pow(10.0, static_cast<int>(bits % 40) - 15) * (1.0 + static_cast<int>(bits % 7 - 3) * 1e-15));
  }
  for (const double v : values) {
    for (const auto& [kind, precision, value] : {std::tuple{FieldKind::kDouble, 13, v},
                                                 std::tuple{FieldKind::kFloat, 6, static_cast<double>(static_cast<float>(v))}}) {
      char exact[64];
      const auto end = std::to_chars(exact, exact + sizeof exact, value, std::chars_format::general, precision).ptr;
      ASSERT_EQ(FieldValueText(Real(kind, value)), std::string(exact, end)) << value;
    }
  }
}

TEST(FieldValueText, BoolTextsAndOpaqueKind) {
  FieldValue yes{FieldKind::kBool, 0, 0.0, true, {}};
  EXPECT_EQ(FieldValueText(yes), "真");
  yes.boolean = false;
  EXPECT_EQ(FieldValueText(yes), "假");
  EXPECT_EQ(FieldValueText(Integer(FieldKind::kOpaque, 0x12345678)), "");
}

TEST(FieldValueText, ByteSetEndsAtItsFirstZeroByteAndTextIsUnchanged) {
  EXPECT_EQ(FieldValueText(Bytes(FieldKind::kByteSet, std::string("ab\0cd", 5))), "ab");
  EXPECT_EQ(FieldValueText(Bytes(FieldKind::kByteSet, "abc")), "abc");
  for (std::size_t zero : {0, 7, 8, 9, 40, 47}) {  // around the eight-byte steps of the scan
    std::string bytes(48, '\x80');
    bytes[zero] = '\0';
    EXPECT_EQ(FieldValueText(Bytes(FieldKind::kByteSet, bytes)), bytes.substr(0, zero)) << zero;
  }
  EXPECT_EQ(FieldValueText(Bytes(FieldKind::kText, "  名字 ")), "  名字 ");
  EXPECT_EQ(FieldValueText(Bytes(FieldKind::kMemo, "")), "");
}

TEST(DateTimeText, ShowsTimeDownToItsLastNonZeroPart) {
  const double march_2_2015 = 42065.0;
  EXPECT_EQ(DateTimeText(march_2_2015), "2015年3月2日");
  EXPECT_EQ(DateTimeText(march_2_2015 + (14 * 60 + 5) / 1440.0), "2015年3月2日14时5分");
  EXPECT_EQ(DateTimeText(march_2_2015 + (14 * 3600 + 5) / 86400.0), "2015年3月2日14时0分5秒");
  EXPECT_EQ(DateTimeText(march_2_2015 + 0.5), "2015年3月2日12时");
  EXPECT_EQ(DateTimeText(0.0), "1899年12月30日");
  EXPECT_EQ(DateTimeText(-1.25), "1899年12月29日6时");
  EXPECT_EQ(DateTimeText(59.0), "1900年2月27日");
  EXPECT_EQ(DateTimeText(61.0), "1900年3月1日");  // 1900 is no leap year
}

TEST(DateTimeText, ClampsToTheYears100To9999) {
  EXPECT_EQ(DateTimeText(2958465.0 + 0.75), "9999年12月31日18时");
  EXPECT_EQ(DateTimeText(2958466.0), "9999年12月31日");
  EXPECT_EQ(DateTimeText(1e300), "9999年12月31日");
  EXPECT_EQ(DateTimeText(-657434.0), "100年1月1日");
  // Negative values keep their time of day: -657434.5 is noon on 1 January 100.
  EXPECT_EQ(DateTimeText(-657434.5), "100年1月1日12时");
  EXPECT_EQ(DateTimeText(-657435.0), "100年1月1日");
  EXPECT_EQ(DateTimeText(-657435.25), "100年1月1日");
  EXPECT_EQ(DateTimeText(-1e300), "100年1月1日");
}

TEST(DateTimeText, ATimeRoundedUpToMidnightIsTheNextDay) {
  const double almost_midnight = 86399.9 / 86400.0;
  EXPECT_EQ(DateTimeText(42065.0 + almost_midnight), "2015年3月3日");
  // Before day 0 the fraction still counts forward from the day's start.
  EXPECT_EQ(DateTimeText(-1.0 - almost_midnight), "1899年12月30日");
  EXPECT_EQ(DateTimeText(-0.0 - almost_midnight), "1899年12月31日");
  EXPECT_EQ(DateTimeText(-657434.0 - almost_midnight), "100年1月2日");
  EXPECT_EQ(DateTimeText(2958465.0 + almost_midnight), "9999年12月31日");
}

TEST(SplitCommandLine, SkipsTheProgramPath) {
  EXPECT_EQ(SplitCommandLine(R"("C:\my tools\T.exe" "D:\a b.edb" x)"), (Args{R"(D:\a b.edb)", "x"}));
  EXPECT_EQ(SplitCommandLine(R"(C:\T.exe D:\a.edb)"), Args{R"(D:\a.edb)"});
  EXPECT_EQ(SplitCommandLine("T.exe"), Args{});
  EXPECT_EQ(SplitCommandLine("\"C:\\T.exe\"   \t "), Args{});
}

TEST(SplitCommandLine, QuotesAndGapsBetweenArguments) {
  EXPECT_EQ(SplitCommandLine("T \"\" b"), (Args{"", "b"}));
  EXPECT_EQ(SplitCommandLine("T a\"b c\""), (Args{"a", "b c"}));
  EXPECT_EQ(SplitCommandLine("T \t\r\na\tb"), (Args{"a", "b"}));
  EXPECT_EQ(SplitCommandLine("T \"open"), Args{"open"});
}

TEST(SplitCommandLine, NeverSplitsATwoByteCharacter) {
  // 0xB1 0x20 would read as a lead byte and a blank if taken byte by byte.
  const std::string name = "D:\\\xB1\x20x.edb";
  EXPECT_EQ(SplitCommandLine("T " + name + " y"), (Args{name, "y"}));
  const std::string program = "\xB1\x20T.exe";
  EXPECT_EQ(SplitCommandLine(program + " a"), Args{"a"});
}

TEST(DroppedFiles, OnePathAloneSeveralEachWithCrLfAndTheFirstOpens) {
  EXPECT_EQ(DroppedFilesText({"C:\\a.edb"}), "C:\\a.edb");
  const std::string two = DroppedFilesText({"C:\\a.edb", "C:\\b.edb"});
  EXPECT_EQ(two, "C:\\a.edb\r\nC:\\b.edb\r\n");
  EXPECT_EQ(FirstDroppedPath(two), "C:\\a.edb");
  EXPECT_EQ(FirstDroppedPath("C:\\a.edb"), "C:\\a.edb");
}

}  // namespace
}  // namespace raz::viewer

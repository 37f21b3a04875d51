// Splitting the copier's command line: the own name, quoting, separators and
// two-byte characters.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "libcopier/command_line.h"

namespace raz {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(LibcopierCommandLine, SkipsTheOwnNameQuotedOrUpToTheFirstBlank) {
  EXPECT_THAT(SplitCommandLine("\"C:\\Program Files\\Ferrydrop.exe\" \"C:\\a.fne\""), ElementsAre("C:\\a.fne"));
  EXPECT_THAT(SplitCommandLine("Ferrydrop.exe C:\\a.fne"), ElementsAre("C:\\a.fne"));
  // An unquoted own name with a blank: its rest becomes the first argument.
  EXPECT_THAT(SplitCommandLine("C:\\Program Files\\E\\tools\\Ferrydrop.exe \"C:\\a.fne\""),
              ElementsAre("Files\\E\\tools\\Ferrydrop.exe", "C:\\a.fne"));
  // The quoted own name ends at its closing quote even without a blank after it.
  EXPECT_THAT(SplitCommandLine("\"Ferrydrop.exe\"C:\\a.fne"), ElementsAre("C:\\a.fne"));
  // The own name is scanned byte by byte: a byte of 0x80 or above does not take
  // the closing quote or the blank after it.
  EXPECT_THAT(SplitCommandLine("\"C:\\E\x80\" C:\\a.fne"), ElementsAre("C:\\a.fne"));
  EXPECT_THAT(SplitCommandLine("C:\\E\x80 C:\\a.fne"), ElementsAre("C:\\a.fne"));
}

TEST(LibcopierCommandLine, LinesWithoutArguments) {
  EXPECT_THAT(SplitCommandLine(""), IsEmpty());
  EXPECT_THAT(SplitCommandLine("Ferrydrop.exe"), IsEmpty());
  EXPECT_THAT(SplitCommandLine("\"C:\\x y\\Ferrydrop.exe\""), IsEmpty());
  EXPECT_THAT(SplitCommandLine("\"C:\\unterminated Ferrydrop.exe a.fne"), IsEmpty());
  EXPECT_THAT(SplitCommandLine("Ferrydrop.exe \t\r\n\x01  "), IsEmpty());
}

TEST(LibcopierCommandLine, QuotedArgumentsKeepBlanksButNotQuotes) {
  EXPECT_THAT(SplitCommandLine("f.exe \"C:\\my files\\a.fne\" second"), ElementsAre("C:\\my files\\a.fne", "second"));
  EXPECT_THAT(SplitCommandLine("f.exe \"\""), ElementsAre(""));
  EXPECT_THAT(SplitCommandLine("f.exe \"open to the end"), ElementsAre("open to the end"));
  // A quote ends an unquoted argument and opens the next one.
  EXPECT_THAT(SplitCommandLine("f.exe ab\"c d\"e"), ElementsAre("ab", "c d", "e"));
}

TEST(LibcopierCommandLine, ControlBytesSeparateUnquotedArguments) {
  EXPECT_THAT(SplitCommandLine("f.exe a\tb\x01" "c\x1f" "d  e"), ElementsAre("a", "b", "c", "d", "e"));
  EXPECT_THAT(SplitCommandLine("f.exe C:\\my files\\a.fne"), ElementsAre("C:\\my", "files\\a.fne"));
}

TEST(LibcopierCommandLine, TwoByteCharactersAreNeverSplit) {
  // Chinese names pass through whole.
  EXPECT_THAT(SplitCommandLine("f.exe \"C:\\库 文件\\网格.fne\" D:\\支持库.lib"),
              ElementsAre("C:\\库 文件\\网格.fne", "D:\\支持库.lib"));
  // A lead byte takes the byte after it, even a quote, blank or control byte.
  EXPECT_THAT(SplitCommandLine("f.exe \"a\x81\"b\" c"), ElementsAre("a\x81\"b", "c"));
  EXPECT_THAT(SplitCommandLine("f.exe a\x81 b\x82\tc"), ElementsAre("a\x81 b\x82\tc"));
  EXPECT_THAT(SplitCommandLine("f.exe a\x81\"b"), ElementsAre("a\x81\"b"));
  // A lead byte at the very end stands alone.
  EXPECT_THAT(SplitCommandLine("f.exe a\x81"), ElementsAre("a\x81"));
  EXPECT_THAT(SplitCommandLine("f.exe \"a\x81"), ElementsAre("a\x81"));
  // Bytes of 0x80 and above start an unquoted argument.
  EXPECT_THAT(SplitCommandLine("f.exe \xB0\xA1.fne"), ElementsAre("\xB0\xA1.fne"));
}

}  // namespace
}  // namespace raz

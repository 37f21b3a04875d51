#include "common/gbk_text.h"

#include <gtest/gtest.h>

namespace raz {
namespace {

TEST(Trim, RemovesAsciiAndFullWidthSpacesAtBothEnds) {
  EXPECT_EQ(Trim("  C:\\raz\\e.exe  "), "C:\\raz\\e.exe");
  EXPECT_EQ(Trim("\xA1\xA1 \xA1\xA1x\xA1\xA1 "), "x");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\xA1\xA1\xA1\xA1"), "");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim("\tx\r\n"), "\tx\r\n");  // only blanks go
  EXPECT_EQ(Trim(" a b "), "a b");        // inner blanks stay
}

TEST(Trim, NeverCutsInsideATwoByteCharacter) {
  // B1 A1 is one character ending in A1; followed by A1 A1 (a full-width space).
  EXPECT_EQ(Trim("\xB1\xA1\xA1\xA1"), "\xB1\xA1");
  // C0 20: a lead byte with a trail byte of 0x20 is not a space.
  EXPECT_EQ(Trim("x\xC0\x20"), "x\xC0\x20");
  // A1 A1 straddling two characters (B0 A1, A1 B0) is not a full-width space.
  EXPECT_EQ(Trim("\xB0\xA1\xA1\xB0"), "\xB0\xA1\xA1\xB0");
}

TEST(WholeCharacterPrefix, CutsOnlyBetweenCharacters) {
  // "a中文": a, D6 D0, CE C4.
  const std::string text = "a\xD6\xD0\xCE\xC4";
  EXPECT_EQ(WholeCharacterPrefix(text, 0), 0u);
  EXPECT_EQ(WholeCharacterPrefix(text, 1), 1u);
  EXPECT_EQ(WholeCharacterPrefix(text, 2), 1u);  // not the lead byte alone
  EXPECT_EQ(WholeCharacterPrefix(text, 3), 3u);
  EXPECT_EQ(WholeCharacterPrefix(text, 4), 3u);
  EXPECT_EQ(WholeCharacterPrefix(text, 5), 5u);
  EXPECT_EQ(WholeCharacterPrefix(text, 100), 5u);
  // A trail byte in the ASCII range is still part of its character.
  EXPECT_EQ(WholeCharacterPrefix("\x81\x41z", 1), 0u);
  // A lead byte at the very end stands alone.
  EXPECT_EQ(WholeCharacterPrefix("ab\x81", 3), 3u);
  EXPECT_EQ(WholeCharacterPrefix("", 4), 0u);
}

TEST(SingleByteScan, SkipsTrailBytes) {
  EXPECT_EQ(FindLastBackslash("C:\\raz\\e.exe"), 6u);
  EXPECT_EQ(FindLastBackslash("C:\\\x95\x5C"), 2u);  // 95 5C is one character
  EXPECT_EQ(FindLastBackslash("e.exe"), kNoPos);
  EXPECT_EQ(FindFirstComma("a\x81,b,c"), 4u);   // 81 2C is one character
  EXPECT_EQ(FindFirstComma("icon.ico,0"), 8u);
  EXPECT_EQ(FindFirstComma("\x81"), kNoPos);    // lone lead byte at the end
}

TEST(AsciiCase, LeavesTwoByteCharactersAlone) {
  EXPECT_EQ(AsciiLower("FNE.Document"), "fne.document");
  EXPECT_EQ(AsciiLower("\x81\x41Z"), "\x81\x41z");  // 81 41 is one character
  EXPECT_EQ(AsciiUpper("\x81\x61z"), "\x81\x61Z");
  EXPECT_TRUE(EqualsAsciiNoCase("C:\\Users\\Me\\AppData\\", "c:\\users\\me\\appdata\\"));
  EXPECT_FALSE(EqualsAsciiNoCase("\x81\x41", "\x81\x61"));
}

}  // namespace
}  // namespace raz

// The programs' texts are GBK: every Windows test run must have code page 936,
// or each text would be shown garbled.
#include <windows.h>

#include <gtest/gtest.h>

TEST(WineEnvironment, AnsiCodePageIsGbk) {
  EXPECT_EQ(GetACP(), 936u) << "run Wine with LC_ALL=zh_CN.UTF-8";
  // A GBK literal round-trips through the system conversion.
  wchar_t wide[8] = {};
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, "\xB4\xF2\xBF\xAA", -1, wide, 8), 3);  // 打开
  EXPECT_EQ(wide[0], 0x6253);
  EXPECT_EQ(wide[1], 0x5F00);
}

// The replace window's controls as data, and its centring on the work area.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "libcopier/replace_layout.h"

namespace raz {
namespace {

struct Expected {
  const char* cls;
  const char* text;
  int x, y, width, height, id;
  bool bold;
  std::uint32_t style;
};

TEST(LibcopierReplaceLayout, FifteenControlsFollowTheClientWidth) {
  FileFacts source{"C:\\src\\Grid.fne", "C:\\src", "Grid.fne", ".fne", "1.5 KB"};
  FileFacts destination{"C:\\E\\lib\\Grid.fne", "C:\\E\\lib", "Grid.fne", ".fne", "-1 B"};
  constexpr std::uint32_t line = 0x50000200, detail = 0x50000000, icon = 0x50800203;
  const Expected expected[] = {
      {"static", "此位置已包含同名文件", 8, 8, 478, 20, 0, true, line},
      {"static", "请选择要进行的操作", 8, 28, 478, 20, 0, false, line},
      {"static", "复制和替换", 8, 68, 478, 20, 0, true, line},
      {"static", "使用正在复制的文件替换目标文件夹中的文件：", 8, 88, 478, 20, 0, false, line},
      {"static", "", 8, 108, 50, 50, 131, false, icon},
      {"static", "Grid.fne", 66, 108, 420, 20, 0, true, line},
      {"static", "C:\\src\r\n大小：1.5 KB", 66, 128, 420, 80, 0, false, detail},
      {"static", "不要复制", 8, 208, 478, 20, 0, true, line},
      {"static", "将不会更改任何文件。将此文件保留在目标文件夹中：", 8, 228, 478, 20, 0, false, line},
      {"static", "", 8, 248, 50, 50, 132, false, icon},
      {"static", "Grid.fne", 66, 248, 420, 20, 0, true, line},
      {"static", "C:\\E\\lib\r\n大小：-1 B", 66, 268, 420, 80, 0, false, detail},
      {"static", "", 8, 348, 478, 2, 0, false, 0x50000010},
      {"Button", "复制和替换(&E)", 278, 358, 100, 30, 1, false, 0x50000001},
      {"Button", "不要复制(&C)", 386, 358, 100, 30, 2, false, 0x50000000},
  };
  const std::vector<ControlSpec> controls = ReplaceLayout(494, source, destination);
  ASSERT_EQ(controls.size(), 15u);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    SCOPED_TRACE(i + 1);
    const ControlSpec& c = controls[i];
    const Expected& e = expected[i];
    EXPECT_EQ(c.class_name, e.cls);
    EXPECT_EQ(c.text, e.text);
    EXPECT_EQ(c.x, e.x);
    EXPECT_EQ(c.y, e.y);
    EXPECT_EQ(c.width, e.width);
    EXPECT_EQ(c.height, e.height);
    EXPECT_EQ(c.id, e.id);
    EXPECT_EQ(c.bold, e.bold);
    EXPECT_EQ(c.style, e.style);
  }
}

TEST(LibcopierReplaceLayout, EveryRowEndsEightBeforeTheRightEdge) {
  for (int width : {300, 494, 500}) {
    for (const ControlSpec& c : ReplaceLayout(width, {}, {})) {
      if (c.id == kSourceIconId || c.id == kDestinationIconId) continue;
      if (c.id == kCopyButtonId) {
        EXPECT_EQ(c.x + c.width + 8, ReplaceLayout(width, {}, {}).back().x);
        continue;
      }
      EXPECT_EQ(c.x + c.width, width - 8) << c.text;
    }
  }
}

TEST(LibcopierReplaceLayout, CentringTruncatesTowardZero) {
  EXPECT_EQ(CenteredOffset(0, 1920, 500), 710);
  EXPECT_EQ(CenteredOffset(0, 1040, 450), 295);
  EXPECT_EQ(CenteredOffset(0, 1365, 500), 432);
  EXPECT_EQ(CenteredOffset(0, 400, 450), -25);
  EXPECT_EQ(CenteredOffset(0, 399, 450), -25);
  EXPECT_EQ(CenteredOffset(100, 1366, 500), 533);
  // The sum is truncated, not the half: 30 - 25.5 = 4.5 gives 4.
  EXPECT_EQ(CenteredOffset(30, 449, 500), 4);
  EXPECT_EQ(CenteredOffset(10, 449, 500), -15);
}

}  // namespace
}  // namespace raz

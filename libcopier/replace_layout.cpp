#include "libcopier/replace_layout.h"

namespace raz {
namespace {

constexpr std::uint32_t kChild = kWsChild | kWsVisible;
constexpr std::uint32_t kTextLine = kChild | kSsLeft | kSsCenterImage;
constexpr std::uint32_t kDetailText = kChild | kSsLeft;
constexpr std::uint32_t kIconBox = kChild | kSsIcon | kSsCenterImage | kWsBorder;
constexpr std::uint32_t kSeparator = kChild | kSsEtchedHorz;

constexpr int kMargin = 8;
constexpr int kRowHeight = 20;
constexpr int kIconSize = 50;
constexpr int kDetailHeight = 80;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 30;

// The folder, a line break and the size of one file.
std::string DetailText(const FileFacts& facts) { return facts.folder + "\r\n大小：" + facts.size_text; }

}  // namespace

std::vector<ControlSpec> ReplaceLayout(int client_width, const FileFacts& source, const FileFacts& destination) {
  const int w = client_width;
  const int row = w - 2 * kMargin;                       // a full-width row
  const int column_x = kMargin + kIconSize + kMargin;    // name and details beside an icon
  const int column = w - column_x - kMargin;
  const int copy_x = w - 2 * kButtonWidth - 2 * kMargin;
  const int skip_x = copy_x + kButtonWidth + kMargin;

  auto text_line = [&](const std::string& text, int x, int y, int width, bool bold) {
    return ControlSpec{"static", text, kTextLine, x, y, width, kRowHeight, kStaticId, bold};
  };
  auto icon_box = [&](int y, int id) {
    return ControlSpec{"static", "", kIconBox, kMargin, y, kIconSize, kIconSize, id, false};
  };
  auto details = [&](const FileFacts& facts, int y) {
    return ControlSpec{"static", DetailText(facts), kDetailText, column_x, y, column, kDetailHeight, kStaticId, false};
  };

  // Each top edge is the previous one plus the previous row's height; the one
  // extra gap of 20 sets the first choice apart from the prompt.
  return {
      text_line("此位置已包含同名文件", kMargin, 8, row, true),
      text_line("请选择要进行的操作", kMargin, 28, row, false),
      text_line("复制和替换", kMargin, 68, row, true),
      text_line("使用正在复制的文件替换目标文件夹中的文件：", kMargin, 88, row, false),
      icon_box(108, kSourceIconId),
      text_line(source.name, column_x, 108, column, true),
      details(source, 128),
      text_line("不要复制", kMargin, 208, row, true),
      text_line("将不会更改任何文件。将此文件保留在目标文件夹中：", kMargin, 228, row, false),
      icon_box(248, kDestinationIconId),
      text_line(destination.name, column_x, 248, column, true),
      details(destination, 268),
      ControlSpec{"static", "", kSeparator, kMargin, 348, row, 2, kStaticId, false},
      ControlSpec{"Button", "复制和替换(&E)", kChild | kBsDefPushButton, copy_x, 358, kButtonWidth, kButtonHeight,
                  kCopyButtonId, false},
      ControlSpec{"Button", "不要复制(&C)", kChild | kBsPushButton, skip_x, 358, kButtonWidth, kButtonHeight,
                  kSkipButtonId, false},
  };
}

int CenteredOffset(int area_start, int area_extent, int window_extent) {
  // The position is worked out in floating point and only then truncated toward
  // zero, so a half pixel is dropped from the sum, not from the half.
  return static_cast<int>(area_start + (area_extent - window_extent) / 2.0);
}

}  // namespace raz

// The replace window as data: its fifteen controls with classes, texts, styles,
// ids, fonts and positions, worked out from the window's client width.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "libcopier/file_facts.h"

namespace raz {

// Window style bits the layout uses (the values of the Windows headers).
constexpr std::uint32_t kWsChild = 0x40000000;
constexpr std::uint32_t kWsVisible = 0x10000000;
constexpr std::uint32_t kWsBorder = 0x00800000;
constexpr std::uint32_t kSsLeft = 0x0;
constexpr std::uint32_t kSsIcon = 0x3;
constexpr std::uint32_t kSsEtchedHorz = 0x10;
constexpr std::uint32_t kSsCenterImage = 0x200;
constexpr std::uint32_t kBsPushButton = 0x0;
constexpr std::uint32_t kBsDefPushButton = 0x1;

// Control ids: every plain static shares 0; the buttons send 1 and 2.
constexpr int kStaticId = 0;
constexpr int kSourceIconId = 131;
constexpr int kDestinationIconId = 132;
constexpr int kCopyButtonId = 1;
constexpr int kSkipButtonId = 2;

// The replace window's outer size.
constexpr int kReplaceWindowWidth = 500;
constexpr int kReplaceWindowHeight = 450;

struct ControlSpec {
  std::string class_name;
  std::string text;
  std::uint32_t style = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int id = 0;
  bool bold = false;  // the bold GUI font instead of the plain one
};

// The controls in creation order, for a client area `client_width` wide.
std::vector<ControlSpec> ReplaceLayout(int client_width, const FileFacts& source, const FileFacts& destination);

// Where a window of `window_extent` starts when centred in an area along one
// axis: the area's start plus half the spare room, truncated toward zero as a
// whole (negative when the window overhangs an area that starts at 0).
int CenteredOffset(int area_start, int area_extent, int window_extent);

}  // namespace raz

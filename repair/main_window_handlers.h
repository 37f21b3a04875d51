// The main window's handlers: the start-up proposal and presets, the one-click
// repair and the path box's Enter key.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "repair/main_window_view.h"

namespace raz {

// Message-box flags (the values MessageBox takes).
constexpr unsigned kBoxIconError = 0x10;
constexpr unsigned kBoxIconQuestion = 0x20;
constexpr unsigned kBoxIconInformation = 0x40;

// Captions of the repair button after the layout's "一键修复(&E)".
constexpr std::string_view kCaptionRepairing = "正在修复...";
constexpr std::string_view kCaptionRefreshing = "刷新图标...";
constexpr std::string_view kCaptionIdle = "一键修复";

// The path check's box for a path the file functions cannot take.
constexpr std::string_view kPathTooLong = "raz主程序路径过长，无法使用";

// Virtual-key code of Enter.
constexpr int kKeyEnter = 13;

// The e.exe path proposed from the install value: its environment directory
// (EnvironmentDirFromInstallValue) followed by "e.exe". An empty value gives "".
std::string ProposedEExePath(std::string_view install_value);

// Run once when the window and its controls exist: proposes e.exe from the
// install value when the repair's path check would take it, then presets the .lib and .fne options from
// the current associations (a foreign ProgID with an existing icon file
// disables the icon option; a ProgID with the copy verb checks the copy option).
void OnMainWindowCreated(const MainWindowWorld& world);

// The one-click repair: checks the trimmed path (an existing file, taken by its
// full path), locks the inputs, registers the six types on the options as they
// stood at the click, refreshes the icon cache after a successful first phase,
// unlocks the inputs, drops the input queued meanwhile and reports the outcome. It runs once at a time: a click
// that arrives meanwhile starts nothing, and a close request held meanwhile is
// carried out after the outcome box.
void OnRepairClicked(const MainWindowWorld& world);

// The window is asked to close: true when it may close now; false while a
// repair runs, whose end then carries the close out.
bool OnCloseRequested(const MainWindowWorld& world);

// Key pressed in the path box: Enter (any shift state) runs the repair and
// returns false, so the key goes no further; other keys give no result.
std::optional<bool> OnPathEditKeyDown(const MainWindowWorld& world, int key_code, int shift_state);

// Releases the program-wide texts, each only when it was set.
void FreeProgramGlobals(ProgramGlobals& globals);

}  // namespace raz

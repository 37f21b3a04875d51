// The open-file dialog of Ravelmend in this process: it opens with the whole
// proposal, however long, and reports a cancel as a cancel.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "repair/main_window_layout.h"
#include "repair/win32/browse_dialog_win32.h"
#include "win/driver/driver.h"
#include "win/driver/scratch.h"

namespace raz {
namespace {

BOOL CALLBACK KeepDialog(HWND w, LPARAM found) {
  if (!IsWindowVisible(w) || test::TextOf(w) != std::string(kOpenDialogTitle)) return TRUE;
  *reinterpret_cast<HWND*>(found) = w;
  return FALSE;
}

// The visible window of `thread` titled as the dialog, or nullptr.
HWND FindDialog(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(thread, KeepDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The longest text among the dialog's edit boxes: its file-name box.
std::string FileNameText(HWND dialog) {
  std::string longest;
  for (HWND w : test::Descendants(dialog)) {
    if (test::ClassOf(w) != "Edit") continue;
    const std::string text = test::TextOf(w);
    if (text.size() > longest.size()) longest = text;
  }
  return longest;
}

TEST(BrowseDialog, OpensWithTheWholeProposalAndReportsTheCancel) {
  // Longer than MAX_PATH, and a bare name, which the dialog shows as it is.
  const std::string proposal = std::string(290, 'a') + "e.exe";
  // The dialog lists the current directory: an empty one opens fast.
  test::ScratchDir empty("razbrowse");
  char saved[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, saved);
  ASSERT_TRUE(SetCurrentDirectoryA(empty.path().c_str()));
  const DWORD thread = GetCurrentThreadId();
  std::string shown;
  std::thread user([&] {
    HWND dialog = nullptr;
    test::WaitUntil([&] { return (dialog = FindDialog(thread)) != nullptr; }, 120000);
    if (dialog == nullptr) return;
    // The box takes its text a moment after the dialog shows.
    test::WaitUntil([&] { return !(shown = FileNameText(dialog)).empty(); }, 5000);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  const BrowseResult result = ShowBrowseDialog(nullptr, proposal);
  user.join();
  SetCurrentDirectoryA(saved);
  EXPECT_EQ(result.outcome, BrowseResult::Outcome::Cancelled);
  EXPECT_EQ(shown, proposal);
}

}  // namespace
}  // namespace raz

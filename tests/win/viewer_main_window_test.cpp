// Tallyscope's main window in process: requests that arrive while an open
// runs or while the window is being destroyed, and exceptions that must stop
// at its window procedure. The open's failure box is answered through the
// message-box seam, which also lets a test act in the middle of an open.
#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "common/win32/ui.h"
#include "tests/shared/edb_writer.h"
#include "viewer/edb/edb.h"
#include "viewer/win32/main_window_win32.h"
#include "viewer/win32/menu_ids.h"
#include "win/driver/driver.h"
#include "win/fake_drag.h"

namespace raz::viewer {
namespace {


struct MainWindowTest : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    ASSERT_TRUE(main.Create(SW_HIDE));
    window = main.Handle();
    SetMessageBoxHook([this](HWND, const std::string& text, const std::string&, UINT) {
      boxes.push_back(text);
      // Once only: the action may show boxes itself.
      if (during_box) std::exchange(during_box, nullptr)();
      return IDOK;
    });
  }
  void TearDown() override {
    SetMessageBoxHook(nullptr);
    if (IsWindow(window)) DestroyWindow(window);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    edb::CloseDatabase();
    OleUninitialize();
  }
  std::string Database(const std::string& name) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(edb::testing::WriteOneNumberDatabase(path, 7));
    return path;
  }
  // The drop target OLE holds for the window.
  IDropTarget* WindowDropTarget() const {
    return static_cast<IDropTarget*>(GetPropA(window, "OleDropTargetInterface"));
  }
  DWORD Drop(IDropTarget* target, const std::string& path) {
    FakeDrag files({path}, true);
    DWORD effect = DROPEFFECT_COPY;
    target->DragEnter(&files, 0, POINTL{}, &effect);
    effect = DROPEFFECT_COPY;
    target->Drop(&files, 0, POINTL{}, &effect);
    return effect;
  }
  // Drops a file that is not there, so the failure box comes up during the open.
  void OpenFailing() {
    Drop(WindowDropTarget(), dir.File("missing.edb"));
    PumpPendingMessages();
  }
  std::string Status() const { return test::TextOf(test::ChildById(window, kStatusBarId)); }

  edb::testing::ScratchDir dir;
  MainWindow main;
  HWND window = nullptr;
  std::vector<std::string> boxes;
  std::function<void()> during_box;
};

TEST_F(MainWindowTest, TheMenuReadsAsDesigned) {
  std::vector<std::string> items;
  const auto read = [&](HMENU menu, const std::string& indent) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      char text[64] = {};
      GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
      const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
      // No item is disabled or checked (a separator is never enabled).
      const bool plain = (state & MF_SEPARATOR) || !(state & (MF_DISABLED | MF_GRAYED | MF_CHECKED));
      items.push_back(indent + ((state & MF_SEPARATOR) ? "-" : text) + (plain ? "" : " (state)"));
    }
  };
  HMENU bar = GetMenu(window);
  read(bar, "");
  ASSERT_EQ(items, (std::vector<std::string>{"文件", "设置", "帮助"}));
  for (int i = 0; i < 3; ++i) read(GetSubMenu(bar, i), "  ");
  EXPECT_EQ(items, (std::vector<std::string>{"文件", "设置", "帮助", "  打开数据库", "  关闭数据库", "  -", "  退出",
                                             "  设置文件关联", "  取消文件关联", "  关于"}));
}

TEST_F(MainWindowTest, AnExceptionDuringAnOpenEndsInItsFailureBox) {
  during_box = [] { throw 42; };
  EXPECT_NO_THROW(OpenFailing());
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].rfind("打开raz数据库失败\r\n错误代码：-21\r\n", 0), 0u) << boxes[1];
  EXPECT_TRUE(IsWindowEnabled(window));
  EXPECT_EQ(Status(), "打开数据库失败");
  // The window takes the next open as usual.
  EXPECT_NO_THROW(OpenFailing());
  EXPECT_EQ(boxes.size(), 3u);
}

// Runs with the tests that change the association: cancelling it here
// removes whatever of it a test left.
using MainWindowAssociationTest = MainWindowTest;

TEST_F(MainWindowAssociationTest, AnExceptionStopsAtTheWindowProcedure) {
  during_box = [] { throw 42; };
  EXPECT_NO_THROW(SendMessageA(window, WM_COMMAND, kMenuCancelAssociation, 0));
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(IsWindow(window));
}

// DestroyWindow calls on the watched window, seen by a CBT hook.
HWND g_watched = nullptr;
int g_destroys = 0;
LRESULT CALLBACK CountDestroys(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wparam) == g_watched) ++g_destroys;
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST_F(MainWindowTest, ClosingAgainWhileTheWindowIsDestroyedDoesNothing) {
  // Queued now, dispatched by the pumps of the window's destruction.
  PostMessageA(window, WM_CLOSE, 0, 0);
  PostMessageA(window, WM_COMMAND, kMenuExit, 0);
  g_watched = window;
  g_destroys = 0;
  HHOOK hook = SetWindowsHookExA(WH_CBT, CountDestroys, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(hook);
  SendMessageA(window, WM_CLOSE, 0, 0);
  UnhookWindowsHookEx(hook);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(g_destroys, 1);
}

TEST_F(MainWindowTest, RequestsDuringAnOpenAreRefusedOrWaitForIt) {
  IDropTarget* target = WindowDropTarget();
  ASSERT_TRUE(target);
  const std::string path = Database("later.edb");
  during_box = [&] {
    // A second open is refused, by the drop target and by the window.
    EXPECT_EQ(Drop(target, path), static_cast<DWORD>(DROPEFFECT_NONE));
    SendMessageA(window, kFilesDroppedMessage, 0, 0);
    SendMessageA(window, WM_COMMAND, kMenuOpen, 0);
    // Closing waits until the open is over.
    SendMessageA(window, WM_COMMAND, kMenuClose, 0);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window));
  };
  OpenFailing();
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(edb::CurrentDatabaseName(), "");
}

TEST_F(MainWindowTest, AnIdleWindowTakesADrop) {
  IDropTarget* target = WindowDropTarget();
  ASSERT_TRUE(target);
  const std::string path = Database("dropped.edb");
  EXPECT_EQ(Drop(target, path), static_cast<DWORD>(DROPEFFECT_COPY));
  PumpPendingMessages();
  EXPECT_EQ(edb::CurrentDatabaseName(), "dropped");
  EXPECT_EQ(test::TextOf(window), "Tallyscope - " + path);

  // The drop message from anyone else carries no drop: nothing happens.
  SendMessageA(window, kFilesDroppedMessage, 0, 0);
  EXPECT_EQ(edb::CurrentDatabaseName(), "dropped");
  EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, NothingQueuedOpensOnceTheWindowIsBeingDestroyed) {
  IDropTarget* target = WindowDropTarget();
  ASSERT_TRUE(target);
  // The drop is queued; destroying the window pumps the queue.
  EXPECT_EQ(Drop(target, Database("queued.edb")), static_cast<DWORD>(DROPEFFECT_COPY));
  PostMessageA(window, kOpenCommandLineMessage, 0, 0);
  DestroyWindow(window);
  EXPECT_EQ(edb::CurrentDatabaseName(), "");
  EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace raz::viewer

// Tallyscope's main window in process: requests that arrive while an open
// runs or while the window is being destroyed, and exceptions that must stop
// at its window procedure. The open's failure box is answered through the
// message-box seam, which also lets a test act in the middle of an open.
#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <utility>

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
  // Opens a path that fails, so the failure box comes up during the open.
  void OpenFailing() { SendMessageA(window, kFilesDroppedMessage, 0, 0); }
  std::string Status() const { return test::TextOf(test::ChildById(window, kStatusBarId)); }

  edb::testing::ScratchDir dir;
  MainWindow main;
  HWND window = nullptr;
  std::vector<std::string> boxes;
  std::function<void()> during_box;
};

TEST_F(MainWindowTest, AnExceptionStopsAtTheWindowProcedure) {
  during_box = [] { throw 42; };
  EXPECT_NO_THROW(OpenFailing());
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(IsWindowEnabled(window));
  EXPECT_EQ(Status(), "打开数据库失败");
  // The window takes the next open as usual.
  during_box = nullptr;
  EXPECT_NO_THROW(OpenFailing());
  EXPECT_EQ(boxes.size(), 2u);
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

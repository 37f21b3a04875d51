// Tallyscope's grid control and drop target, in process.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/shared/edb_writer.h"
#include "viewer/edb/edb.h"
#include "viewer/viewer.h"
#include "viewer/win32/drop_target_win32.h"
#include "viewer/win32/grid_control_win32.h"
#include "win/fake_drag.h"
#include "win/viewer_grid_host.h"

namespace raz::viewer {
namespace {

struct DropTargetTest : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    window = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    target.Revoke();
    DestroyWindow(window);
    OleUninitialize();
  }
  DWORD Enter(FakeDrag& data) {
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    target.DragEnter(&data, 0, POINTL{}, &effect);
    return effect;
  }
  DWORD DropOn(FakeDrag& data) {
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    Enter(data);
    target.Drop(&data, 0, POINTL{}, &effect);
    return effect;
  }

  HWND window = nullptr;
  std::vector<std::string> drops;
  bool ready = true;
  DropTarget target{[this](const std::string& text) { drops.push_back(text); }, [this] { return ready; }};
};

TEST_F(DropTargetTest, IsBoundOnce) {
  EXPECT_TRUE(target.Register(window));
  EXPECT_FALSE(target.Register(window));
}

TEST_F(DropTargetTest, AcceptsFilesOnly) {
  FakeDrag text({}, false);
  EXPECT_EQ(Enter(text), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(DropOn(text), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_TRUE(drops.empty());
  FakeDrag files({"C:\\a.edb"}, true);
  EXPECT_EQ(Enter(files), static_cast<DWORD>(DROPEFFECT_COPY));
}

TEST_F(DropTargetTest, RefusesEveryDragWhileItsOwnerIsBusy) {
  FakeDrag files({"C:\\a.edb"}, true);
  ready = false;
  EXPECT_EQ(Enter(files), static_cast<DWORD>(DROPEFFECT_NONE));
  DWORD effect = DROPEFFECT_COPY;
  target.DragOver(0, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(DropOn(files), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_TRUE(drops.empty());
  ready = true;
  EXPECT_EQ(DropOn(files), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(drops.size(), 1u);
}

TEST_F(DropTargetTest, AFailingHandlerEndsInAFailedDropNotAnException) {
  DropTarget failing{[](const std::string&) { throw std::bad_alloc(); }};
  FakeDrag files({"C:\\a.edb"}, true);
  DWORD effect = DROPEFFECT_COPY;
  failing.DragEnter(&files, 0, POINTL{}, &effect);
  HRESULT result = S_OK;
  EXPECT_NO_THROW(result = failing.Drop(&files, 0, POINTL{}, &effect));
  EXPECT_EQ(result, E_UNEXPECTED);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
}

TEST_F(DropTargetTest, ReportsOnePathAloneAndSeveralEachWithCrLf) {
  FakeDrag one({"C:\\数据\\a.edb"}, true);
  FakeDrag two({"C:\\a.edb", "D:\\b c.edb"}, true);
  DropOn(one);
  DropOn(two);
  EXPECT_EQ(drops, (std::vector<std::string>{"C:\\数据\\a.edb", "C:\\a.edb\r\nD:\\b c.edb\r\n"}));
}

using testing::GridHost;
using testing::kHostRefresh;

struct GridControlTest : ::testing::Test {
  EGrid model;
  GridHost host{model, RECT{0, 0, 300, 200}};
  GridControl& grid = host.grid;

  void SetUp() override { ASSERT_TRUE(host.created); }
  // Shows the host and lets it paint.
  void Show() {
    ShowWindow(host.window, SW_SHOWNOACTIVATE);
    for (int i = 0; i < 10; ++i) {  // the window's first paints and exposes
      Sleep(20);
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
  }
  std::string Text(int item, int sub) {
    char buf[256] = {};
    LVITEMA lv = {};
    lv.iSubItem = sub;
    lv.pszText = buf;
    lv.cchTextMax = sizeof buf;
    SendMessageA(grid.Handle(), LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&lv));
    return buf;
  }
  std::string Header(int column) {
    char buf[256] = {};
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT;
    col.pszText = buf;
    col.cchTextMax = sizeof buf;
    SendMessageA(grid.Handle(), LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&col));
    return buf;
  }
  int Columns() { return Header_GetItemCount(ListView_GetHeader(grid.Handle())); }
  int Refreshes() {
    int n = 0;
    MSG msg;
    while (PeekMessageA(&msg, host.window, kHostRefresh, kHostRefresh, PM_REMOVE)) ++n;
    return n;
  }
};

TEST_F(GridControlTest, ShowsTheModelWithRowZeroAsHeader) {
  EXPECT_EQ(ListView_GetItemCount(grid.Handle()), 4);
  EXPECT_EQ(Columns(), 5);
  model.SetRowCount(3);
  model.SetColumnCount(3);
  model.SetColumnWidth(1, 160);
  model.SetCellText(0, 1, "名称");
  model.SetCellText(2, 1, "值");
  model.SetCellText(2, 0, "2");
  EXPECT_EQ(ListView_GetItemCount(grid.Handle()), 2);
  ASSERT_EQ(Columns(), 3);
  EXPECT_EQ(ListView_GetColumnWidth(grid.Handle(), 0), 60);
  EXPECT_EQ(ListView_GetColumnWidth(grid.Handle(), 1), 160);
  EXPECT_EQ(Header(1), "名称");
  EXPECT_EQ(Text(1, 0), "2");
  EXPECT_EQ(Text(1, 1), "值");
  EXPECT_EQ(Text(0, 1), "");
}

TEST_F(GridControlTest, ManyCellChangesAskForOneRepaint) {
  model.SetRowCount(1001);
  Refreshes();
  for (int r = 1; r <= 1000; ++r) model.SetCellText(r, 1, "x");
  EXPECT_EQ(Refreshes(), 1);
  grid.Refresh();
  model.SetCellText(5, 1, "y");
  EXPECT_EQ(Refreshes(), 1);
}

TEST_F(GridControlTest, RepaintsOnlyChangedRowsThatAreInView) {
  // A load sets rows far below the window; a repaint asked for each batch of
  // those would cost a message and a paint per pumped batch.
  model.SetRowCount(1001);
  Show();
  Refreshes();
  for (int r = 500; r <= 550; ++r) model.SetCellText(r, 1, "x");
  EXPECT_EQ(Refreshes(), 0);
  ValidateRect(grid.Handle(), nullptr);
  grid.Refresh();
  EXPECT_FALSE(GetUpdateRect(grid.Handle(), nullptr, FALSE));

  model.SetCellText(2, 1, "y");
  EXPECT_EQ(Refreshes(), 1);
  grid.Refresh();
  EXPECT_TRUE(GetUpdateRect(grid.Handle(), nullptr, FALSE));
  EXPECT_EQ(Text(1, 1), "y");

  // Scrolled down, the rows now in view ask for a repaint and row 2 no more.
  ListView_EnsureVisible(grid.Handle(), 800, FALSE);
  Show();
  model.SetCellText(2, 1, "z");
  EXPECT_EQ(Refreshes(), 0);
  model.SetCellText(801, 1, "z");
  EXPECT_EQ(Refreshes(), 1);
}

TEST_F(GridControlTest, ALoadAsksForARepaintOnlyWhileItFillsTheRowsInView) {
  edb::testing::ScratchDir dir;
  const std::string path = dir.File("rows.edb");
  {
    edb::testing::EdbWriter writer(path, {{"N", edb::FieldKind::kInt32}});
    for (int i = 1; i <= 1000; ++i) writer.AddRecord({edb::testing::IntValue(i)});
    ASSERT_TRUE(writer.Finish());
  }
  ASSERT_TRUE(edb::OpenDatabase(path));
  Show();
  ViewerState state;
  testing::PumpingSink sink;
  sink.window = host.window;
  LoadTable(state, model, sink);
  edb::CloseDatabase();
  // Pumped after every 50 records; only the first batch reaches the rows in view.
  EXPECT_EQ(sink.pumps, 4 + 1000 / 50);
  EXPECT_EQ(sink.pumps_while_disabled, 2 + 1000 / 50);
  EXPECT_LE(sink.refreshes, 1);
  EXPECT_EQ(ListView_GetItemCount(grid.Handle()), 1000);
  EXPECT_EQ(Text(0, 1), "1");
  EXPECT_TRUE(IsWindowEnabled(host.window));
}

TEST_F(GridControlTest, CutsLongCellsBetweenCharacters) {
  // "a中文" asked for with room for 2 and for 3 bytes besides the end.
  model.SetCellText(1, 1, "a\xD6\xD0\xCE\xC4");
  auto ask = [&](int room) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    NMLVDISPINFOA info = {};
    info.hdr.hwndFrom = grid.Handle();
    info.hdr.code = LVN_GETDISPINFOA;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = 0;
    info.item.iSubItem = 1;
    info.item.pszText = buffer;
    info.item.cchTextMax = room + 1;
    LRESULT result = 0;
    EXPECT_TRUE(grid.HandleNotify(&info.hdr, &result));
    return std::string(buffer, std::find(buffer, buffer + sizeof buffer, '\0'));
  };
  EXPECT_EQ(ask(2), "a");
  EXPECT_EQ(ask(3), "a\xD6\xD0");
  EXPECT_EQ(ask(5), "a\xD6\xD0\xCE\xC4");
  // The wide text the list view may ask for instead: a unit per character.
  auto ask_wide = [&](int room) {
    wchar_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), L'x');
    NMLVDISPINFOW info = {};
    info.hdr.hwndFrom = grid.Handle();
    info.hdr.code = LVN_GETDISPINFOW;
    info.item.mask = LVIF_TEXT;
    info.item.iSubItem = 1;
    info.item.pszText = buffer;
    info.item.cchTextMax = room + 1;
    LRESULT result = 0;
    EXPECT_TRUE(grid.HandleNotify(&info.hdr, &result));
    return std::wstring(buffer, std::find(buffer, buffer + 8, L'\0'));
  };
  EXPECT_EQ(ask_wide(1), L"a");
  EXPECT_EQ(ask_wide(2), L"a\x4E2D");
  EXPECT_EQ(ask_wide(5), L"a\x4E2D\x6587");
}

TEST_F(GridControlTest, ResetToOneByOneLeavesOneEmptyHeader) {
  model.SetCellText(0, 0, "h");
  model.SetRowCount(1);
  model.SetColumnCount(1);
  model.Reinitialise();
  EXPECT_EQ(ListView_GetItemCount(grid.Handle()), 0);
  EXPECT_EQ(Columns(), 1);
  EXPECT_EQ(Header(0), "");
  EXPECT_EQ(ListView_GetColumnWidth(grid.Handle(), 0), 60);
}

}  // namespace
}  // namespace raz::viewer

// A large load into the grid control shown on screen, with the queue pumped
// as the program does: pumped after every 50 records, yet repainted only when
// rows in view change (a repaint per pump made 100,000 records take half a
// minute under Wine).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "common/win32/ui.h"
#include "tests/shared/edb_writer.h"
#include "viewer/edb/edb.h"
#include "viewer/viewer.h"
#include "viewer/win32/grid_control_win32.h"

namespace raz::viewer {
namespace {

using edb::FieldKind;
using namespace edb::testing;

constexpr int kRecords = 100000;
constexpr UINT kRefresh = WM_APP + 3;

double Ms(LARGE_INTEGER from) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}
LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

GridControl* g_grid = nullptr;
LRESULT CALLBACK HostProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (g_grid) {
    if (m == kRefresh) {
      g_grid->Refresh();
      return 0;
    }
    if (m == WM_NOTIFY) {
      LRESULT r = 0;
      if (g_grid->HandleNotify(reinterpret_cast<NMHDR*>(lp), &r)) return r;
    }
  }
  return DefWindowProcA(w, m, wp, lp);
}

struct PumpingSink : LoadSink {
  HWND window = nullptr;
  int pumps = 0;
  int pumps_while_disabled = 0;
  int paints = 0;
  double pump_ms = 0;
  void SetStatusText(std::string_view) override { PumpMessages(); }
  void PumpMessages() override {
    ++pumps;
    if (!IsWindowEnabled(window)) ++pumps_while_disabled;
    const LARGE_INTEGER start = Now();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_PAINT) ++paints;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    pump_ms += Ms(start);
  }
  void SetMainWindowEnabled(bool enabled) override { EnableWindow(window, enabled); }
};

struct ViewerLoadTimingTest : ::testing::Test {
  static void SetUpTestSuite() {
    dir = new ScratchDir;
    path = new std::string(dir->File("timing.edb"));
    EdbWriter writer(*path, {{"名称", FieldKind::kText, 12}, {"数量", FieldKind::kInt32}, {"OK", FieldKind::kBool}});
    for (int i = 1; i <= kRecords; ++i) {
      writer.AddRecord({BytesValue("行" + std::to_string(i)), IntValue(i * 10), BoolValue(i % 2)});
    }
    ASSERT_TRUE(writer.Finish());
  }
  static void TearDownTestSuite() {
    delete path;
    delete dir;
    path = nullptr;
    dir = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(edb::OpenDatabase(*path)); }
  void TearDown() override { edb::CloseDatabase(); }

  static ScratchDir* dir;
  static std::string* path;
};
ScratchDir* ViewerLoadTimingTest::dir = nullptr;
std::string* ViewerLoadTimingTest::path = nullptr;

TEST_F(ViewerLoadTimingTest, PumpsEveryFiftyRecordsAndRepaintsOnlyRowsInView) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = HostProc;
  wc.lpszClassName = "ViewerTimingHost";
  RegisterClassA(&wc);
  HWND host = CreateWindowA("ViewerTimingHost", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                            nullptr, nullptr, nullptr);
  ViewerState state;
  EGrid grid;
  GridControl control;
  g_grid = &control;
  ASSERT_TRUE(control.Create(host, 1, RECT{0, 0, 620, 400}, &grid, kRefresh));
  PumpPendingMessages();
  PumpingSink sink;
  sink.window = host;
  const LARGE_INTEGER start = Now();
  LoadTable(state, grid, sink);
  std::printf("viewer: LoadTable of %d records into the shown grid: %.0f ms (%d pumps, %d paints, %.0f ms pumping)\n",
              kRecords, Ms(start), sink.pumps, sink.paints, sink.pump_ms);
  EXPECT_EQ(ListView_GetItemCount(control.Handle()), kRecords);
  // Two status texts, the two pumps before the records, one per 50 records.
  EXPECT_EQ(sink.pumps, 4 + kRecords / 50);
  EXPECT_EQ(sink.pumps_while_disabled, 2 + kRecords / 50);
  EXPECT_LT(sink.paints, 20);
  EXPECT_TRUE(IsWindowEnabled(host));
  g_grid = nullptr;
  DestroyWindow(host);
}

}  // namespace
}  // namespace raz::viewer

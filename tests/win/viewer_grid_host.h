// Tallyscope's grid control on a host window of its own, for the in-process
// tests: the host hands the control its notifications
// and its refresh message, and PumpingSink pumps the queue as a load does and
// counts what it dispatched.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string_view>

#include "viewer/viewer_ui.h"
#include "viewer/win32/grid_control_win32.h"

namespace raz::viewer::testing {

constexpr UINT kHostRefresh = WM_APP + 7;

// One host at a time: its window procedure reaches the control through this.
inline GridControl* g_hosted_grid = nullptr;

inline LRESULT CALLBACK GridHostProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (g_hosted_grid && m == kHostRefresh) {
    g_hosted_grid->Refresh();
    return 0;
  }
  LRESULT result = 0;
  if (g_hosted_grid && m == WM_NOTIFY && g_hosted_grid->HandleNotify(reinterpret_cast<NMHDR*>(lp), &result)) {
    return result;
  }
  return DefWindowProcA(w, m, wp, lp);
}

// A top-level window of `size` with the control `grid` over `model` in `rect`.
struct GridHost {
  GridHost(EGrid& model, const RECT& rect, SIZE size = {400, 300}, DWORD style = WS_OVERLAPPEDWINDOW) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = GridHostProc;
    wc.lpszClassName = "ViewerGridHost";
    RegisterClassA(&wc);
    window = CreateWindowA("ViewerGridHost", "", style, 0, 0, size.cx, size.cy, nullptr, nullptr, nullptr, nullptr);
    g_hosted_grid = &grid;
    created = grid.Create(window, 1, rect, &model, kHostRefresh);
  }
  ~GridHost() {
    g_hosted_grid = nullptr;
    DestroyWindow(window);
  }
  GridHost(const GridHost&) = delete;
  GridHost& operator=(const GridHost&) = delete;

  HWND window = nullptr;
  GridControl grid;
  bool created = false;
};

// Pumps every waiting message at each pump, counting pumps, paints and the
// grid's refresh messages.
struct PumpingSink : LoadSink {
  HWND window = nullptr;
  int pumps = 0;
  int pumps_while_disabled = 0;
  int paints = 0;
  int refreshes = 0;
  void SetStatusText(std::string_view) override { PumpMessages(); }
  void PumpMessages() override {
    ++pumps;
    if (!IsWindowEnabled(window)) ++pumps_while_disabled;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_PAINT) ++paints;
      if (msg.message == kHostRefresh) ++refreshes;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  void SetMainWindowEnabled(bool enabled) override { EnableWindow(window, enabled); }
};

}  // namespace raz::viewer::testing

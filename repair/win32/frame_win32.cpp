#include "repair/win32/frame_win32.h"

namespace raz {
namespace {

constexpr COLORREF kOutline = RGB(96, 96, 96);

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(frame, &paint);
      RECT outline;
      GetClientRect(frame, &outline);
      SetDCBrushColor(dc, kOutline);
      FrameRect(dc, &outline, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
      EndPaint(frame, &paint);
      return 0;
    }
    // The controls inside report to their parent, the frame: pass their
    // notifications and colour requests on to the main window.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
      return SendMessageA(GetParent(frame), message, wparam, lparam);
    default:
      return DefWindowProcA(frame, message, wparam, lparam);
  }
}

}  // namespace

bool RegisterFrameClass(HINSTANCE instance) {
  WNDCLASSEXA frame_class = {};
  if (GetClassInfoExA(instance, kFrameClassName, &frame_class)) return true;
  frame_class.cbSize = sizeof frame_class;
  frame_class.lpfnWndProc = FrameProc;
  frame_class.hInstance = instance;
  frame_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  frame_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frame_class.lpszClassName = kFrameClassName;
  return RegisterClassExA(&frame_class) != 0;
}

}  // namespace raz

#include "viewer/win32/password_window_win32.h"

#include "common/gbk_text.h"
#include "common/win32/ui.h"
#include "viewer/win32/menu_ids.h"

namespace raz::viewer {
namespace {

constexpr char kClassName[] = "TallyscopePassword";
constexpr int kWidth = 340;
constexpr int kHeight = 183;

struct PasswordWindow {
  HWND owner = nullptr;
  HWND window = nullptr;
  HWND edit = nullptr;
  std::string typed;  // the typed password
};

HWND AddControl(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
  HWND control = CreateWindowExA(cls == std::string("EDIT") ? WS_EX_CLIENTEDGE : 0, cls, text,
                                 WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return control;
}

// Centres the window over its owner (not clamped to the screen) and widens the
// edit box to the client area less 16 pixels.
void CenterPasswordWindow(PasswordWindow& pw) {
  pw.typed.clear();
  RECT main = {}, own = {}, client = {};
  GetWindowRect(pw.owner, &main);
  GetWindowRect(pw.window, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  const int left = static_cast<int>(main.left + ((main.right - main.left) - width) / 2.0);
  const int top = static_cast<int>(main.top + ((main.bottom - main.top) - height) / 2.0);
  SetWindowPos(pw.window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetClientRect(pw.window, &client);
  RECT edit = {};
  GetWindowRect(pw.edit, &edit);
  MapWindowPoints(HWND_DESKTOP, pw.window, reinterpret_cast<POINT*>(&edit), 2);
  MoveWindow(pw.edit, edit.left, edit.top, static_cast<int>((client.right - client.left) - 16.0),
             edit.bottom - edit.top, TRUE);
}

void Close(PasswordWindow& pw) {
  // The owner is enabled first, so that it takes the activation back.
  EnableWindow(pw.owner, TRUE);
  DestroyWindow(pw.window);
}

void AcceptPassword(PasswordWindow& pw) {
  std::string text = WindowText(pw.edit);
  if (Trim(text).empty()) return;
  pw.typed = std::move(text);
  Close(pw);
}

void CancelPassword(PasswordWindow& pw) { Close(pw); }

LRESULT HandlePasswordMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* pw = reinterpret_cast<PasswordWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      pw = static_cast<PasswordWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
      pw->window = window;
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pw));
      break;
    case WM_CREATE:
      AddControl(window, "STATIC", "请输入数据库密码", 0, 8, 8, 152, 20, kPasswordLabelId);
      pw->edit = AddControl(window, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD, 8, 41, 272, 20,
                            kPasswordEditId);
      SendMessageA(pw->edit, EM_SETPASSWORDCHAR, '*', 0);
      AddControl(window, "BUTTON", "确定(&E)", WS_TABSTOP | BS_PUSHBUTTON, 8, 88, 88, 32, kPasswordOkId);
      AddControl(window, "BUTTON", "取消(&C)", WS_TABSTOP | BS_PUSHBUTTON, 120, 88, 88, 32, kPasswordCancelId);
      CenterPasswordWindow(*pw);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wparam) == kPasswordOkId) AcceptPassword(*pw);
      if (LOWORD(wparam) == kPasswordCancelId) CancelPassword(*pw);
      return 0;
    case WM_CLOSE:
      CancelPassword(*pw);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

LRESULT CALLBACK PasswordProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  // No exception may unwind into the system's frames that called us.
  try {
    return HandlePasswordMessage(window, message, wparam, lparam);
  } catch (...) {
    return DefWindowProcA(window, message, wparam, lparam);
  }
}

void RegisterPasswordClass() {
  static const bool registered = [] {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PasswordProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconA(wc.hInstance, "DEFAULT_ICON");
    wc.lpszClassName = kClassName;
    return RegisterClassExA(&wc) != 0;
  }();
  (void)registered;
}

}  // namespace

std::optional<std::string> ShowPasswordWindow(HWND owner) {
  RegisterPasswordClass();
  PasswordWindow pw;
  pw.owner = owner;
  // Centred on the screen as laid out; creation moves it over the owner.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  if (!CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, "请输入密码",
                       WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, left, top, kWidth, kHeight, owner,
                       nullptr, GetModuleHandleA(nullptr), &pw)) {
    return std::nullopt;
  }
  EnableWindow(owner, FALSE);
  ShowWindow(pw.window, SW_SHOW);
  SetFocus(pw.edit);

  MSG msg;
  while (IsWindow(pw.window)) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop
      break;
    }
    // IsDialogMessage gives Tab between the controls and turns Esc into
    // IDCANCEL, the id of the cancel button.
    if (IsDialogMessageA(pw.window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (IsWindow(pw.window)) Close(pw);
  return pw.typed;
}

}  // namespace raz::viewer

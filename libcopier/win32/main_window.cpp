#include "libcopier/win32/main_window.h"

#include "libcopier/replace_layout.h"
#include "libcopier/win32/copy_with_retry.h"
#include "libcopier/win32/program_state.h"

namespace raz {

std::wstring ToWide(const std::string& text) {
  const int count = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);  // with the NUL
  if (count <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), count);
  wide.resize(static_cast<std::size_t>(count) - 1);
  return wide;
}

bool RegisterWindowClass(const wchar_t* class_name) {
  const HINSTANCE module = GetModuleHandleA(nullptr);
  WNDCLASSEXW known = {};
  known.cbSize = sizeof known;
  if (GetClassInfoExW(module, class_name, &known)) return true;
  if (GetClassInfoExW(nullptr, class_name, &known)) return true;

  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = module;
  wc.hCursor = State().resources.ArrowCursor;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = class_name;
  return RegisterClassExW(&wc) != 0;
}

bool CreateMainWindow() {
  FerrydropState& state = State();
  const std::wstring class_name = ToWide("OrrinWindow");
  if (!RegisterWindowClass(class_name.c_str())) {
    MessageBoxA(nullptr, "注册窗口类失败", "错误", MB_OK | MB_ICONQUESTION);
    return false;
  }
  state.MainWindow = CreateWindowExW(0, class_name.c_str(), ToWide("复制文件").c_str(),
                                     WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, kReplaceWindowWidth,
                                     kReplaceWindowHeight, nullptr, nullptr, state.resources.ModuleHandle, nullptr);
  if (!state.MainWindow) {
    MessageBoxA(nullptr, "创建主窗口失败", "错误", MB_OK | MB_ICONQUESTION);
    return false;
  }
  SetWindowIcons(state.MainWindow);
  CenterWindow(state.MainWindow);
  return true;
}

void SetWindowIcons(HWND window) {
  const AppResources& r = State().resources;
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(r.AppIconLarge));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(r.AppIconSmall));
}

void CenterWindow(HWND window) {
  RECT frame = {};
  GetWindowRect(window, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT area = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const int x = CenteredOffset(area.left, area.right - area.left, width);
  const int y = CenteredOffset(area.top, area.bottom - area.top, height);
  MoveWindow(window, x, y, width, height, TRUE);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DESTROY:
      if (window == State().MainWindow) PostQuitMessage(0);
      break;
    case WM_COMMAND:
      return OnMainCommand(window, message, wparam, lparam);
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT OnMainCommand(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (LOWORD(wparam)) {
    case kCopyButtonId:
      CopyWithRetry(CopyMode::kReplace);
      break;
    case kSkipButtonId:
      PostMessageA(window, WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

int RunMessageLoop() {
  MSG message = {};
  // GetMessage answers -1 on an error; that ends the loop too instead of spinning.
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace raz

#include "viewer/win32/main_window_win32.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <utility>

#include "common/win32/file_exists.h"
#include "common/win32/program_folder.h"
#include "common/win32/ui.h"
#include "registry/registry_win32.h"
#include "shellcache/icon_cache.h"
#include "viewer/association.h"
#include "viewer/win32/menu_ids.h"
#include "viewer/win32/password_window_win32.h"

namespace raz::viewer {
namespace {

constexpr char kClassName[] = "TallyscopeMain";
constexpr int kWidth = 640;
constexpr int kHeight = 480;

HMENU BuildMenu() {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, kMenuOpen, "打开数据库");
  AppendMenuA(file, MF_STRING, kMenuClose, "关闭数据库");
  AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(file, MF_STRING, kMenuExit, "退出");
  HMENU settings = CreatePopupMenu();
  AppendMenuA(settings, MF_STRING, kMenuSetAssociation, "设置文件关联");
  AppendMenuA(settings, MF_STRING, kMenuCancelAssociation, "取消文件关联");
  HMENU help = CreatePopupMenu();
  AppendMenuA(help, MF_STRING, kMenuAbout, "关于");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "文件");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(settings), "设置");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "帮助");
  return bar;
}

}  // namespace

MainWindow::MainWindow()
    : viewer_(*this),
      drop_target_(
          [this](const std::string& text) {
            // Opening may show boxes and pump messages: do it after the
            // shell's drag and drop is over, not inside it.
            dropped_ = text;
            PostMessageA(window_, kFilesDroppedMessage, 0, 0);
          },
          [this] { return AcceptsOpens() && IsWindowEnabled(window_); }) {}

bool MainWindow::Create(int show) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = LoadIconA(wc.hInstance, "DEFAULT_ICON");
  wc.lpszClassName = kClassName;
  if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  if (!CreateWindowExA(0, kClassName, "Tallyscope", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, left, top, kWidth,
                       kHeight, nullptr, BuildMenu(), wc.hInstance, this)) {
    return false;
  }
  ShowWindow(window_, show);
  UpdateWindow(window_);
  return true;
}

LRESULT CALLBACK MainWindow::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self) return DefWindowProcA(window, message, wparam, lparam);
  // An exception cannot unwind through the system's frames that called this
  // procedure (in the 32-bit build it would end the program): it stops here.
  try {
    return self->HandleMessage(message, wparam, lparam);
  } catch (...) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wparam, lparam);
  }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: {
      const RECT grid_rect = {8, 8, 8 + 320, 8 + 160};
      grid_.Create(window_, kGridId, grid_rect, &viewer_.Grid(), kGridRefreshMessage);
      status_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 341, 605, 20, window_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)),
                                GetModuleHandleA(nullptr), nullptr);
      int one_part = -1;
      SendMessageA(status_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&one_part));
      OnMainCreated();
      return 0;
    }
    case WM_SIZE:
      SendMessageA(status_, WM_SIZE, 0, 0);
      LayoutGrid();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE && !activated_once_) {
        activated_once_ = true;
        PostMessageA(window_, kOpenCommandLineMessage, 0, 0);
      }
      break;
    case kOpenCommandLineMessage:
      // Once: the same message posted again must not reopen that file over
      // what the user has opened since.
      if (!std::exchange(command_line_done_, true)) {
        RunOpen([this] { viewer_.OpenFromCommandLine(GetCommandLineA(), FileExists); });
      }
      return 0;
    case kFilesDroppedMessage: {
      // Only a drop on the window leaves a text; any other sender of the
      // message has dropped nothing.
      const std::string dropped = std::exchange(dropped_, std::string());
      if (!dropped.empty()) RunOpen([&] { viewer_.OnFilesDropped(dropped); });
      return 0;
    }
    case kGridRefreshMessage:
      grid_.Refresh();
      return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (grid_.HandleNotify(reinterpret_cast<const NMHDR*>(lparam), &result)) return result;
      break;
    }
    case WM_COMMAND:
      if (lparam == 0) OnCommand(LOWORD(wparam));
      return 0;
    case WM_CLOSE:
      // Destroying pumps messages: a second close must not destroy again.
      if (closing_) return 0;
      if (opening_) {
        exit_pending_ = true;
        return 0;
      }
      closing_ = true;
      break;
    case WM_DESTROY:
      // ResetView pumps messages: the flag keeps a queued open from running
      // now. During an open the open's end closes the database instead.
      closing_ = true;
      drop_target_.Revoke();
      if (!opening_) viewer_.ResetView();
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wparam, lparam);
}

void MainWindow::OnMainCreated() {
  viewer_.UpdateTitle();
  drop_target_.Register(window_);
}

void MainWindow::LayoutGrid() {
  RECT client = {}, status = {};
  GetClientRect(window_, &client);
  GetWindowRect(status_, &status);
  MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&status), 2);
  MoveWindow(grid_.Handle(), 0, 0, client.right - client.left, status.top, TRUE);
}

void MainWindow::OnCommand(unsigned id) {
  switch (id) {
    case kMenuOpen: RunOpen([this] { OpenWithDialog(); }); break;
    case kMenuClose: CloseCommand(); break;
    case kMenuExit: ExitCommand(); break;
    case kMenuSetAssociation: SetAssociationCommand(); break;
    case kMenuCancelAssociation: CancelAssociationCommand(); break;
    case kMenuAbout: ShowAbout(); break;
    default: break;
  }
}

bool MainWindow::AcceptsOpens() const { return !opening_ && !closing_; }

void MainWindow::RunOpen(const std::function<void()>& open) {
  if (!AcceptsOpens()) return;
  opening_ = true;
  try {
    open();
  } catch (...) {
    // The viewer reports every failure it meets; this is one in reporting.
    RecoverFromFailedOpen();
  }
  opening_ = false;
  if (closing_) {
    // The window went during the open: leave no database open.
    viewer_.ResetView();
  } else if (std::exchange(exit_pending_, false)) {
    close_pending_ = false;
    ExitCommand();
  } else if (std::exchange(close_pending_, false)) {
    viewer_.ResetView();
  }
}

void MainWindow::RecoverFromFailedOpen() {
  // Whatever escaped the viewer still leaves a closed database, a usable
  // window and the failure box; when even the box's text cannot be built
  // (memory ran out), the box says what it can without it.
  SetMainWindowEnabled(true);
  try {
    viewer_.ResetView();
    SetStatusText("打开数据库失败");
  } catch (...) {
  }
  try {
    ShowMessage("打开raz数据库失败", "错误", kInformationBox);
  } catch (...) {
    MessageBoxA(window_, "打开raz数据库失败", "错误", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
  }
}

void MainWindow::CloseCommand() {
  if (opening_) {
    close_pending_ = true;
    return;
  }
  viewer_.ResetView();
}

void MainWindow::OpenWithDialog() {
  char file[MAX_PATH] = {};
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = window_;
  ofn.lpstrFilter = "EDB文件(*.edb)\0*.edb\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (GetOpenFileNameA(&ofn)) viewer_.OpenDatabaseFile(file);
}

void MainWindow::SetAssociationCommand() {
  Win32Registry registry;
  AssociationContext context{registry, RunningProgramPath(), RefreshIconCache};
  const Notice notice = SetAssociationNotice(WriteAssociation(context, ".edb", "", "", ""));
  ShowMessage(notice.text, notice.caption, notice.flags);
}

void MainWindow::CancelAssociationCommand() {
  Win32Registry registry;
  AssociationContext context{registry, RunningProgramPath(), RefreshIconCache};
  const Notice notice = CancelAssociationNotice(RemoveAssociation(context, ".edb"));
  ShowMessage(notice.text, notice.caption, notice.flags);
}

void MainWindow::ShowAbout() {
  ShellAboutA(window_, "Tallyscope V 1.0", "raz 数据库查看工具", nullptr);
}

void MainWindow::ExitCommand() {
  if (closing_) return;  // the window is being destroyed already
  if (opening_) {
    exit_pending_ = true;
    return;
  }
  closing_ = true;
  DestroyWindow(window_);
}

void MainWindow::SetStatusText(std::string_view text) {
  const std::string part(text);
  SendMessageA(status_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(part.c_str()));
  PumpPendingMessages();
}

void MainWindow::PumpMessages() {
  // A load pumps after every 50 records, mostly with nothing queued. Under
  // Wine a PeekMessage on an empty queue costs several server round trips;
  // GetQueueStatus costs one and still takes in the display's pending input
  // (a click, a key, a drop), so the full pump runs only when a message,
  // paint, timer or sent message waits.
  if (HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0) return;
  PumpPendingMessages();
}

void MainWindow::SetMainWindowEnabled(bool enabled) { EnableWindow(window_, enabled ? TRUE : FALSE); }

void MainWindow::SetTitle(const std::string& title) { SetWindowTextA(window_, title.c_str()); }

std::optional<std::string> MainWindow::AskPassword() { return ShowPasswordWindow(window_); }

void MainWindow::ShowMessage(const std::string& text, const std::string& caption, unsigned flags) {
  ShowMessageBox(window_, text, caption, MB_OK | flags);
}

int RunMessageLoop(HWND main_window) {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && IsWindow(main_window) &&
        (msg.hwnd == main_window || IsChild(main_window, msg.hwnd))) {
      PostMessageA(main_window, WM_CLOSE, 0, 0);
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

}  // namespace raz::viewer

#include "repair/win32/main_window_win32.h"

#include <commctrl.h>

#include "common/gbk_text.h"
#include "common/win32/ui.h"
#include "repair/main_window_handlers.h"
#include "repair/main_window_layout.h"
#include "repair/win32/banner_win32.h"
#include "repair/win32/browse_dialog_win32.h"
#include "repair/win32/frame_win32.h"
#include "shellcache/icon_cache.h"

namespace raz {
namespace {

constexpr UINT_PTR kPathEditSubclassId = 1;

// Shift state passed with a key: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState(UINT message, LPARAM lparam) {
  int state = 0;
  if (GetKeyState(VK_SHIFT) < 0) state |= 1;
  if (GetKeyState(VK_CONTROL) < 0) state |= 2;
  if (message == WM_SYSKEYDOWN || (lparam & (1 << 29)) != 0) state |= 4;
  return state;
}

struct ControlClass {
  const char* name;
  DWORD style;
  DWORD ex_style;
};

ControlClass ClassFor(ControlKind kind) {
  switch (kind) {
    case ControlKind::Banner:
      return {WC_STATICA, SS_BITMAP, 0};
    case ControlKind::Icon:
      return {WC_STATICA, SS_ICON | SS_REALSIZECONTROL, 0};
    case ControlKind::Label:
      return {WC_STATICA, SS_LEFT, 0};
    case ControlKind::Button:
      return {WC_BUTTONA, BS_PUSHBUTTON, 0};
    case ControlKind::Edit:
      return {WC_EDITA, ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::Frame:
      return {kFrameClassName, 0, WS_EX_CONTROLPARENT};
    case ControlKind::CheckBox:
      return {WC_BUTTONA, BS_AUTOCHECKBOX, 0};
  }
  return {WC_STATICA, 0, 0};
}

bool IsOwnWindow(HWND main, HWND w) { return w == main || IsChild(main, w); }

// The lower-case access key of a caption ("浏览(&B)" gives 'b'), or 0.
char AccessKey(const std::string& caption) {
  const std::size_t amp = FindFirstSingleByte(caption, '&');
  if (amp == kNoPos || amp + 1 >= caption.size()) return 0;
  const char key = caption[amp + 1];
  return (key >= 'A' && key <= 'Z') ? static_cast<char>(key - 'A' + 'a') : key;
}

// Esc, Tab and access keys, handled here because the window has no dialog
// manager (which would also turn Enter into a default-button click).
bool HandleNavigationKey(HWND main, const MSG& msg) {
  if (!IsOwnWindow(main, msg.hwnd)) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
    SendMessageA(main, WM_CLOSE, 0, 0);
    return true;
  }
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) {
    HWND focus = GetFocus();
    HWND next = GetNextDlgTabItem(main, IsChild(main, focus) ? focus : nullptr, GetKeyState(VK_SHIFT) < 0);
    if (next != nullptr) SetFocus(next);
    return true;
  }
  if (msg.message == WM_SYSCHAR) {
    const char key = static_cast<char>(msg.wParam >= 'A' && msg.wParam <= 'Z' ? msg.wParam - 'A' + 'a' : msg.wParam);
    for (int id : {kIdBrowse, kIdRepair}) {
      HWND button = GetDlgItem(main, id);
      if (button != nullptr && IsWindowEnabled(button) && key != 0 && AccessKey(WindowText(button)) == key) {
        SendMessageA(button, BM_CLICK, 0, 0);
        return true;
      }
    }
  }
  return false;
}

}  // namespace

MainWindow::MainWindow(ProgramGlobals& globals) : globals_(globals) { option_enabled_.fill(true); }

MainWindow::~MainWindow() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool MainWindow::Create(HINSTANCE instance, int show) {
  instance_ = instance;
  if (!RegisterFrameClass(instance)) return false;
  WNDCLASSEXA window_class = {};
  if (!GetClassInfoExA(instance, kMainWindowClassName, &window_class)) {
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = instance;
    // The program's own icon group serves the title bar and the taskbar.
    window_class.hIcon = static_cast<HICON>(
        LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    window_class.hIconSm = static_cast<HICON>(LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON,
                                                         GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kMainWindowClassName;
    if (!RegisterClassExA(&window_class)) return false;
  }
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kMainWindowWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kMainWindowHeight) / 2;
  const std::string title(kMainWindowTitle);
  CreateWindowExA(0, kMainWindowClassName, title.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                  left, top, kMainWindowWidth, kMainWindowHeight, nullptr, nullptr, instance, this);
  if (hwnd_ == nullptr) return false;

  SendMessageA(Control(kIdRepair), BCM_SETSHIELD, 0, 1);
  OnMainWindowCreated(World());
  ShowWindow(hwnd_, show);
  UpdateWindow(hwnd_);
  SetFocus(Control(kIdPathEdit));
  return true;
}

bool MainWindow::CreateControls() {
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (const ControlLayout& layout : MainWindowLayout()) {
    HWND parent = layout.parent == kIdWindow ? hwnd_ : Control(layout.parent);
    const ControlClass control_class = ClassFor(layout.kind);
    DWORD style = WS_CHILD | WS_VISIBLE | control_class.style;
    if (layout.tab_stop) style |= WS_TABSTOP;
    if (layout.disabled) style |= WS_DISABLED;
    const std::string text(layout.text);
    HWND control = CreateWindowExA(control_class.ex_style, control_class.name, text.c_str(), style, layout.left,
                                   layout.top, layout.width, layout.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), instance_, nullptr);
    if (control == nullptr) return false;
    controls_[layout.id] = control;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (layout.checked) SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
    if (layout.kind == ControlKind::Icon) {
      UniqueHIcon icon(static_cast<HICON>(
          LoadImageA(instance_, MAKEINTRESOURCEA(layout.icon), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
      if (icon) SendMessageA(control, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
      icons_.push_back(std::move(icon));
    } else if (layout.kind == ControlKind::Banner) {
      // A banner that does not decode leaves the box empty.
      banner_ = LoadBannerBitmap(instance_);
      if (banner_) SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(banner_.get()));
    }
    // A picture may size the static to itself: keep the layout's size.
    if (layout.kind == ControlKind::Icon || layout.kind == ControlKind::Banner) {
      SetWindowPos(control, nullptr, layout.left, layout.top, layout.width, layout.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  SetWindowSubclass(Control(kIdPathEdit), PathEditProc, kPathEditSubclassId, reinterpret_cast<DWORD_PTR>(this));
  return true;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->controls_.clear();
    return DefWindowProcA(hwnd, message, wparam, lparam);
  }
  return self->HandleMessage(message, wparam, lparam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return CreateControls() ? 0 : -1;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wparam) != WA_INACTIVE);
      return 0;
    case WM_CLOSE:
      // The close box, Alt+F4, the system menu and Esc all come here. During a
      // repair the request waits for the repair's end.
      if (OnCloseRequested(World())) DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd_, message, wparam, lparam);
  }
}

void MainWindow::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case kIdBrowse:
      // A click queued on the button before a repair disabled it opens no
      // dialog in the middle of the repair.
      if (!guard_.running) OnBrowseClicked();
      break;
    case kIdRepair:
      OnRepairClicked(World());
      break;
    default:
      break;
  }
}

void MainWindow::OnActivate(bool active) {
  if (!active) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(hwnd_, focus)) last_focus_ = focus;
    return;
  }
  HWND focus = last_focus_ != nullptr && IsWindow(last_focus_) && IsWindowEnabled(last_focus_)
                   ? last_focus_
                   : Control(kIdPathEdit);
  if (focus != nullptr && IsWindowEnabled(focus)) SetFocus(focus);
}

void MainWindow::OnBrowseClicked() {
  const BrowseResult result = ShowBrowseDialog(hwnd_, dialog_file_name_);
  if (result.outcome == BrowseResult::Outcome::PathTooLong) {
    ShowMessage(kBrowsePathTooLong, "错误", kBoxIconError);
    return;
  }
  if (result.outcome != BrowseResult::Outcome::Chosen) return;
  dialog_file_name_ = result.path;
  SetPathText(dialog_file_name_);
}

LRESULT CALLBACK MainWindow::PathEditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                          DWORD_PTR self) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // A disabled box fires no key event.
      if (IsWindowEnabled(edit)) {
        const std::optional<bool> result = OnPathEditKeyDown(reinterpret_cast<MainWindow*>(self)->World(),
                                                             static_cast<int>(wparam), ShiftState(message, lparam));
        if (result && !*result) return 0;
      }
      break;
    case WM_CHAR:
    case WM_SYSCHAR:
      // The character of an Enter: a single-line box has no use for it.
      if (wparam == '\r') return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, PathEditProc, kPathEditSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(edit, message, wparam, lparam);
}

HWND MainWindow::Control(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

bool MainWindow::IsChecked(RepairOption option) const {
  return SendMessageA(Control(OptionControlId(option)), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool MainWindow::IsEnabled(RepairOption option) const {
  return IsWindowEnabled(Control(OptionControlId(option))) != FALSE;
}

std::string MainWindow::PathText() const { return WindowText(Control(kIdPathEdit)); }

void MainWindow::SetPathText(std::string_view text) {
  SetWindowTextA(Control(kIdPathEdit), std::string(text).c_str());
}

void MainWindow::SetDialogFileName(std::string_view path) { dialog_file_name_ = path; }

void MainWindow::SetRepairCaption(std::string_view caption) {
  SetWindowTextA(Control(kIdRepair), std::string(caption).c_str());
}

void MainWindow::SetInputsEnabled(bool enabled) {
  for (int id : {kIdPathEdit, kIdBrowse, kIdRepair}) EnableWindow(Control(id), enabled);
  // The option boxes too: a repair writes the options of its start, so a box
  // changed meanwhile would show a setting that was not applied. Each gets
  // back its own state, so a preset that disabled one still holds.
  for (std::size_t i = 0; i < kRepairOptionCount; ++i) {
    HWND box = Control(OptionControlId(static_cast<RepairOption>(i)));
    if (!enabled) option_enabled_[i] = IsWindowEnabled(box) != FALSE;
    EnableWindow(box, enabled && option_enabled_[i]);
  }
}

void MainWindow::FocusPath() { SetFocus(Control(kIdPathEdit)); }

void MainWindow::DisableOption(RepairOption option) { EnableWindow(Control(OptionControlId(option)), FALSE); }

void MainWindow::CheckOption(RepairOption option) {
  SendMessageA(Control(OptionControlId(option)), BM_SETCHECK, BST_CHECKED, 0);
}

void MainWindow::ShowMessage(std::string_view text, std::string_view caption, unsigned flags) {
  ShowMessageBox(hwnd_, std::string(text), std::string(caption), flags);
}

// The main loop's keys hold inside the repair's pumps: Esc is a close request.
void MainWindow::PumpMessages() {
  PumpPendingMessages([this](const MSG& msg) { return HandleNavigationKey(hwnd_, msg); });
}

// Input that waited through the repair is dropped; a close request among it,
// Esc or Alt+F4, is made as one, and is held until the outcome box is closed.
void MainWindow::DiscardQueuedInput() {
  ::raz::DiscardQueuedInput([this](const MSG& msg) {
    if (!IsOwnWindow(hwnd_, msg.hwnd)) return false;
    const bool esc = msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE;
    const bool alt_f4 = msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4;
    if (esc || alt_f4) SendMessageA(hwnd_, WM_CLOSE, 0, 0);
    return true;
  });
}

void MainWindow::RefreshIconCache() { ::raz::RefreshIconCache(); }

// Posted, so the window goes from the message loop and never from inside the
// handler that ran the repair.
void MainWindow::Close() { PostMessageA(hwnd_, WM_CLOSE, 0, 0); }

void RunMessageLoop(HWND main) {
  MSG msg;
  while (IsWindow(main)) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (HandleNavigationKey(main, msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace raz

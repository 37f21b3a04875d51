#include "win/driver/driver.h"

#include <commctrl.h>

#include <utility>

namespace raz::test {

namespace {

struct Collect {
  DWORD pid;  // 0: any process
  bool only_dialogs;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND w, LPARAM lp) {
  auto* c = reinterpret_cast<Collect*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid == c->pid && IsWindowVisible(w) && (!c->only_dialogs || ClassOf(w) == "#32770")) c->found.push_back(w);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND w, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
  return TRUE;
}

// The colours of a `size` area: the screen's at `at`, or, with an icon, the
// icon drawn on `background`.
std::vector<DWORD> Pixels(SIZE size, POINT at, HICON icon = nullptr, COLORREF background = 0) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  if (icon) {
    const HBRUSH brush = CreateSolidBrush(background);
    const RECT all{0, 0, size.cx, size.cy};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
  } else {
    const HDC screen = GetDC(nullptr);
    BitBlt(dc, 0, 0, size.cx, size.cy, screen, at.x, at.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
  }
  GdiFlush();
  std::vector<DWORD> pixels(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + (bits ? size.cx * size.cy : 0));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  for (DWORD& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

// The icon a message box shows. Icon handles are the box's own process's, so
// the icon is told by its pixels on the screen: the system icon that, drawn on
// the box's background, gives exactly those pixels.
UINT BoxIcon(HWND box) {
  HWND icon_static = nullptr;
  for (HWND c : Descendants(box)) {
    if (ClassOf(c) == "Static" && (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) icon_static = c;
  }
  DWORD_PTR handle = 0;
  if (icon_static) SendMessageTimeoutA(icon_static, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &handle);
  if (!handle || !IsWindowVisible(icon_static)) return 0;
  const std::pair<UINT, LPCSTR> known[] = {{MB_ICONERROR, IDI_ERROR},
                                           {MB_ICONQUESTION, IDI_QUESTION},
                                           {MB_ICONWARNING, IDI_WARNING},
                                           {MB_ICONINFORMATION, IDI_INFORMATION}};
  UINT seen = kUnknownIcon;
  WaitUntil(  // the box may still be painting
      [&] {
        RECT r = {};
        GetWindowRect(icon_static, &r);
        const SIZE size{r.right - r.left, r.bottom - r.top};
        const std::vector<DWORD> shown = Pixels(size, {r.left, r.top});
        const COLORREF background = shown.empty() ? 0 : RGB(shown[0] >> 16, (shown[0] >> 8) & 0xFF, shown[0] & 0xFF);
        for (const auto& [flag, id] : known) {
          if (!shown.empty() && Pixels(size, {}, LoadIconA(nullptr, id), background) == shown) seen = flag;
        }
        return seen != kUnknownIcon;
      },
      2000);
  return seen;
}

}  // namespace

Program::Program(const std::string& exe, const std::string& args, const std::string& cwd) {
  Start("\"" + exe + "\" " + args, cwd);
}

Program Program::FromCommandLine(const std::string& command_line, const std::string& cwd) {
  Program p;
  p.Start(command_line, cwd);
  return p;
}

void Program::Start(const std::string& command_line, const std::string& cwd) {
  Program& p = *this;
  std::string cmd = command_line;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, cwd.empty() ? nullptr : cwd.c_str(),
                     &si, &pi)) {
    CloseHandle(pi.hThread);
    p.process_ = pi.hProcess;
    p.pid_ = pi.dwProcessId;
    WaitForInputIdle(pi.hProcess, 10000);
  }
}

Program::Program(Program&& o) noexcept : process_(std::exchange(o.process_, nullptr)), pid_(o.pid_) {}

Program::~Program() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

std::vector<HWND> Program::TopWindows() const {
  Collect ctx{pid_, false, {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&ctx));
  return ctx.found;
}

HWND Program::WaitForWindow(const char* cls, const char* title, DWORD ms) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : TopWindows()) {
          if ((!cls || ClassOf(w) == cls) && (!title || TextOf(w) == title)) {
            found = w;
            return true;
          }
        }
        return false;
      },
      ms);
  return found;
}

bool Program::WaitForExit(DWORD ms) const { return process_ && WaitForSingleObject(process_, ms) == WAIT_OBJECT_0; }

DWORD Program::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_, &code);
  return code;
}

std::string TextOf(HWND w) {
  char buf[4096] = {};
  // WM_GETTEXT works across processes for every window class.
  SendMessageTimeoutA(w, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, nullptr);
  return buf;
}

std::string ClassOf(HWND w) {
  char buf[256] = {};
  GetClassNameA(w, buf, sizeof buf);
  return buf;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND ChildById(HWND parent, int id) {
  for (HWND w : Descendants(parent)) {
    if (GetDlgCtrlID(w) == id) return w;
  }
  return nullptr;
}

HWND ChildByText(HWND parent, const std::string& text, const char* cls) {
  for (HWND w : Descendants(parent)) {
    if (TextOf(w) == text && (!cls || ClassOf(w) == cls)) return w;
  }
  return nullptr;
}

RECT RectIn(HWND w, HWND relative_to) {
  RECT r = {};
  GetWindowRect(w, &r);
  MapWindowPoints(HWND_DESKTOP, relative_to, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::optional<MessageBoxSeen> WaitForMessageBox(DWORD pid, DWORD ms) {
  std::optional<MessageBoxSeen> seen;
  WaitUntil(
      [&] {
        Collect ctx{pid, true, {}};
        EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&ctx));
        if (ctx.found.empty()) return false;
        HWND box = ctx.found.front();
        MessageBoxSeen s;
        s.box = box;
        s.caption = TextOf(box);
        // The box's text is its static control with id 0xFFFF.
        if (HWND text = GetDlgItem(box, 0xFFFF)) s.text = TextOf(text);
        for (HWND c : Descendants(box)) {
          if (ClassOf(c) == "Button") s.buttons.push_back(TextOf(c));
        }
        s.icon = BoxIcon(box);
        seen = s;
        return true;
      },
      ms);
  return seen;
}

void AnswerMessageBox(HWND box, int id) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

POINT CentredOnWorkArea(int width, int height) {
  RECT area = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return {area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
}

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void SetText(HWND w, const std::string& text) {
  SendMessageTimeoutA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, nullptr);
}

bool IsChecked(HWND checkbox) {
  DWORD_PTR state = 0;
  SendMessageTimeoutA(checkbox, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
  return state == BST_CHECKED;
}

void SetChecked(HWND checkbox, bool checked) {
  SendMessageTimeoutA(checkbox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
}

void PressKey(HWND w, UINT vk, bool alt) {
  const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
  const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
  const LPARAM alt_bit = alt ? (1 << 29) : 0;
  PostMessageA(w, down, vk, 1 | alt_bit);
  PostMessageA(w, up, vk, 1 | alt_bit | (1u << 30) | (1u << 31));
}

namespace {

// A block of memory in the process that owns `w`: list-view messages carry
// pointers, which are only valid in that process.
class RemoteBlock {
 public:
  RemoteBlock(HWND w, SIZE_T size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) at_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  bool ok() const { return at_ != nullptr; }
  char* at() const { return static_cast<char*>(at_); }
  bool Write(SIZE_T offset, const void* data, SIZE_T n) {
    return offset + n <= size_ && WriteProcessMemory(process_, at() + offset, data, n, nullptr);
  }
  bool Read(SIZE_T offset, void* data, SIZE_T n) {
    return offset + n <= size_ && ReadProcessMemory(process_, at() + offset, data, n, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* at_ = nullptr;
  SIZE_T size_;
};

constexpr int kRemoteText = 1024;

}  // namespace

std::string ListViewText(HWND list, int item, int sub_item) {
  RemoteBlock block(list, sizeof(LVITEMA) + kRemoteText);
  if (!block.ok()) return {};
  LVITEMA lv = {};
  lv.iSubItem = sub_item;
  lv.pszText = block.at() + sizeof lv;
  lv.cchTextMax = kRemoteText;
  char text[kRemoteText] = {};
  if (!block.Write(0, &lv, sizeof lv)) return {};
  DWORD_PTR n = 0;
  SendMessageTimeoutA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(block.at()), SMTO_ABORTIFHUNG, 5000, &n);
  if (!block.Read(sizeof lv, text, sizeof text - 1)) return {};
  return text;
}

std::string ListViewColumnText(HWND list, int column) {
  RemoteBlock block(list, sizeof(LVCOLUMNA) + kRemoteText);
  if (!block.ok()) return {};
  LVCOLUMNA col = {};
  col.mask = LVCF_TEXT;
  col.pszText = block.at() + sizeof col;
  col.cchTextMax = kRemoteText;
  char text[kRemoteText] = {};
  if (!block.Write(0, &col, sizeof col) || !block.Write(sizeof col, text, 1)) return {};
  SendMessageTimeoutA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(block.at()), SMTO_ABORTIFHUNG, 5000,
                      nullptr);
  if (!block.Read(sizeof col, text, sizeof text - 1)) return {};
  return text;
}

int ListViewItemCount(HWND list) {
  DWORD_PTR n = 0;
  SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &n);
  return static_cast<int>(n);
}

int ListViewColumnCount(HWND list) {
  DWORD_PTR header = 0;
  SendMessageTimeoutA(list, LVM_GETHEADER, 0, 0, SMTO_ABORTIFHUNG, 5000, &header);
  DWORD_PTR n = 0;
  if (header) SendMessageTimeoutA(reinterpret_cast<HWND>(header), HDM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &n);
  return static_cast<int>(n);
}

int ListViewColumnWidth(HWND list, int column) {
  DWORD_PTR width = 0;
  SendMessageTimeoutA(list, LVM_GETCOLUMNWIDTH, column, 0, SMTO_ABORTIFHUNG, 5000, &width);
  return static_cast<int>(width);
}

}  // namespace raz::test

#include "libcopier/win32/replace_controls.h"

#include <windows.h>
#include <shellapi.h>

#include "libcopier/replace_layout.h"
#include "libcopier/win32/main_window.h"
#include "libcopier/win32/program_state.h"

namespace raz {

static_assert(kWsChild == WS_CHILD && kWsVisible == WS_VISIBLE && kWsBorder == WS_BORDER);
static_assert(kSsLeft == SS_LEFT && kSsIcon == SS_ICON && kSsEtchedHorz == SS_ETCHEDHORZ &&
              kSsCenterImage == SS_CENTERIMAGE);
static_assert(kBsPushButton == BS_PUSHBUTTON && kBsDefPushButton == BS_DEFPUSHBUTTON);

namespace {

void SetFileIcon(int static_id, const std::string& full_path, SHFILEINFOA& info) {
  const HWND icon_static = GetDlgItem(State().MainWindow, static_id);
  SHGetFileInfoA(full_path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, SHGFI_ICON);
  SendMessageW(icon_static, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(info.hIcon));
}

}  // namespace

bool QueryClientSize(HWND window, int* width, int* height) {
  RECT client = {};
  const bool ok = GetClientRect(window, &client) != FALSE;
  if (width) *width = client.right - client.left;
  if (height) *height = client.bottom - client.top;
  return ok;
}

HWND CreateChildControl(const std::wstring& class_name, const std::wstring& text, DWORD style, int x, int y, int width,
                        int height, int id, bool bold) {
  const AppResources& r = State().resources;
  const HWND control = CreateWindowExW(0, class_name.c_str(), text.c_str(), style, x, y, width, height,
                                       State().MainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                                       nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(bold ? r.BoldFont : r.GuiFont), 0);
  return control;
}

void BuildReplaceLayout() {
  int client_width = 0;
  QueryClientSize(State().MainWindow, &client_width, nullptr);
  const CopyRequest& request = State().request;
  for (const ControlSpec& c : ReplaceLayout(client_width, request.source, request.destination)) {
    CreateChildControl(ToWide(c.class_name), ToWide(c.text), c.style, c.x, c.y, c.width, c.height, c.id, c.bold);
  }
}

void ShowFileIcons() {
  // One record serves both questions; the icons stay on their statics for the
  // life of the process.
  SHFILEINFOA info = {};
  SetFileIcon(kSourceIconId, State().request.source.full_path, info);
  SetFileIcon(kDestinationIconId, State().request.destination.full_path, info);
}

}  // namespace raz

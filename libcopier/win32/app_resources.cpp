#include "libcopier/win32/app_resources.h"

#include <windows.h>
#include <shellapi.h>

#include "libcopier/win32/program_state.h"

namespace raz {
namespace {

// The icon resource names tried in turn; the first whose large icon loads
// supplies both sizes.
void LoadIconsFromResources(AppResources& r) {
  const char* const names[] = {MAKEINTRESOURCEA(129), MAKEINTRESOURCEA(128), "DEFAULT_ICON"};
  for (const char* name : names) {
    if (r.AppIconLarge) return;
    r.AppIconLarge = LoadIconA(r.ModuleHandle, name);
    if (r.AppIconLarge) {
      r.AppIconSmall = static_cast<HICON>(LoadImageA(r.ModuleHandle, name, IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    }
  }
}

// The shell's icon of the program's own file, else the generic icon of
// executables. `answer` is shared by every question and never cleared between them.
HICON ShellIcon(const char* own_path, SHFILEINFOA& answer, UINT size_flag) {
  SHGetFileInfoA(own_path, FILE_ATTRIBUTE_NORMAL, &answer, sizeof answer, SHGFI_ICON | size_flag);
  if (!answer.hIcon) {
    SHGetFileInfoA("*.exe", FILE_ATTRIBUTE_NORMAL, &answer, sizeof answer,
                   SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | size_flag);
  }
  return answer.hIcon;
}

// The GUI font in bold: same face, height and character set, weight 700.
HFONT MakeBoldFont(HFONT gui_font) {
  LOGFONTW font = {};
  GetObjectW(gui_font, sizeof font, &font);
  font.lfWeight = FW_BOLD;
  font.lfUnderline = 0;
  return CreateFontIndirectW(&font);
}

}  // namespace

void LoadAppResources() {
  AppResources& r = State().resources;
  SHFILEINFOA answer = {};
  r.ModuleHandle = GetModuleHandleA(nullptr);

  char own_path[256] = {};
  GetModuleFileNameA(nullptr, own_path, 255);

  LoadIconsFromResources(r);
  if (!r.AppIconLarge) r.AppIconLarge = ShellIcon(own_path, answer, 0);
  if (!r.AppIconSmall) r.AppIconSmall = ShellIcon(own_path, answer, SHGFI_SMALLICON);

  r.ArrowCursor = LoadCursorA(nullptr, IDC_ARROW);
  r.GuiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  r.BoldFont = MakeBoldFont(r.GuiFont);
}

}  // namespace raz

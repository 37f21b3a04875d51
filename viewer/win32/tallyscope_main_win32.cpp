// Tallyscope: the read-only viewer of .edb databases.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <string>

#include "common/gbk_text.h"
#include "viewer/win32/main_window_win32.h"

namespace {

// Relative paths resolve in the program's own folder until a confirmed
// open-file dialog changes the current directory.
void EnterProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  std::string folder(path, n);
  const std::size_t slash = raz::FindLastBackslash(folder);
  if (slash == raz::kNoPos) return;
  folder.resize(slash + 1);
  SetCurrentDirectoryA(folder.c_str());
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
  const HRESULT ole = OleInitialize(nullptr);  // for the drop target
  EnterProgramFolder();
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  {
    raz::viewer::MainWindow main;
    if (main.Create(show)) raz::viewer::RunMessageLoop(main.Handle());
  }
  if (SUCCEEDED(ole)) OleUninitialize();
  return 0;
}

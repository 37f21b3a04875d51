// Ravelmend: repairs the environment's file associations with one click.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "common/gbk_text.h"
#include "repair/main_window_handlers.h"
#include "repair/win32/main_window_win32.h"

namespace {

raz::ProgramGlobals g_globals;

void FreeGlobalsAtExit() { raz::FreeProgramGlobals(g_globals); }

// Relative paths (a bare "e.exe" proposal among them) resolve in the program's
// own folder until a confirmed open-file dialog changes the current directory.
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

int ProgramEntry(HINSTANCE instance, int show) {
  EnterProgramFolder();
  std::atexit(FreeGlobalsAtExit);
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  raz::MainWindow main(g_globals);
  if (main.Create(instance, show)) raz::RunMessageLoop(main.handle());
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) { return ProgramEntry(instance, show); }

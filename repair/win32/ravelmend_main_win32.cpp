// Ravelmend: repairs the environment's file associations with one click.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "repair/main_window_handlers.h"
#include "repair/win32/main_window_win32.h"
#include "repair/win32/program_start_win32.h"

namespace {

raz::ProgramGlobals g_globals;

void FreeGlobalsAtExit() { raz::FreeProgramGlobals(g_globals); }

int ProgramEntry(HINSTANCE instance, int show) {
  const raz::ProgramStart start;
  std::atexit(FreeGlobalsAtExit);
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  raz::MainWindow main(g_globals);
  if (main.Create(instance, show)) raz::RunMessageLoop(main.handle());
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) { return ProgramEntry(instance, show); }

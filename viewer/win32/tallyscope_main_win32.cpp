// Tallyscope: the read-only viewer of .edb databases.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <string>

#include "common/win32/program_folder.h"
#include "viewer/win32/main_window_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
  const HRESULT ole = OleInitialize(nullptr);  // for the drop target
  raz::EnterProgramFolder();
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    raz::viewer::MainWindow main;
    if (main.Create(show)) raz::viewer::RunMessageLoop(main.Handle());
  } catch (...) {
    // Nothing is left to report to: the window is gone. End as usual.
  }
  if (SUCCEEDED(ole)) OleUninitialize();
  return 0;
}

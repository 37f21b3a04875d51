#include "libcopier/win32/run_copy_request.h"

#include <windows.h>
#include <shlwapi.h>

#include "libcopier/win32/app_resources.h"
#include "libcopier/win32/copy_with_retry.h"
#include "libcopier/win32/install_value.h"
#include "libcopier/win32/main_window.h"
#include "libcopier/win32/path_facts.h"
#include "libcopier/win32/program_state.h"
#include "libcopier/win32/replace_controls.h"

namespace raz {
namespace {

// True for an existing file or directory.
bool PathExists(const std::string& path) { return PathFileExistsA(path.c_str()) != FALSE; }

void RunReplaceWindow() {
  if (!CreateMainWindow()) return;
  BuildReplaceLayout();
  ShowFileIcons();
  ShowWindow(State().MainWindow, SW_SHOW);
  RunMessageLoop();
}

}  // namespace

void ResolvePaths() {
  State().request = ResolvePaths(GetCommandLineA(), ReadInstallValue(), Win32PathFacts());
}

int RunCopyRequest() {
  LoadAppResources();
  ResolvePaths();
  switch (ChooseRoad(State().request, PathExists)) {
    case CopyRoad::kSilentEnd:
      break;
    case CopyRoad::kNoEnvironment:
      MessageBoxA(nullptr, "获取raz目录失败", "错误", MB_OK | MB_ICONERROR);
      break;
    case CopyRoad::kReplaceWindow:
      RunReplaceWindow();
      break;
    case CopyRoad::kDirectCopy:
      CopyWithRetry();
      break;
  }
  return 0;
}

}  // namespace raz

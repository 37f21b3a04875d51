#include "libcopier/win32/run_copy_request.h"

#include <windows.h>

#include "libcopier/win32/app_resources.h"
#include "libcopier/win32/copy_with_retry.h"
#include "libcopier/win32/install_value.h"
#include "libcopier/win32/main_window.h"
#include "libcopier/win32/path_facts.h"
#include "libcopier/win32/program_state.h"
#include "libcopier/win32/replace_controls.h"

namespace raz {
namespace {

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
  switch (ChooseRoad(State().request, Win32PathFacts())) {
    case CopyRoad::kSilentEnd:
      break;
    case CopyRoad::kNoEnvironment:
      MessageBoxA(nullptr, "获取raz目录失败", "错误", MB_OK | MB_ICONERROR);
      break;
    case CopyRoad::kReplaceWindow:
      RunReplaceWindow();
      break;
    case CopyRoad::kDirectCopy:
      if (CopyWithRetry(CopyMode::kCreate) == CopyOutcome::kDestinationAppeared) {
        // A file of that name arrived after the start (another copy of the same
        // name, say): ask before replacing it, and show its size as it is now.
        FileFacts& destination = State().request.destination;
        FillFileFacts(std::string(destination.full_path), destination, Win32PathFacts());
        RunReplaceWindow();
      }
      break;
  }
  return 0;
}

}  // namespace raz

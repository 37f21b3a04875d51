// desktop_keeper.exe READY_FILE
// Holds the Wine desktop of a test run open. The first process of a prefix
// that touches the desktop makes Wine start the desktop's process, which
// inherits that process's standard handles and lives while any program uses
// the desktop. Started by the run's session with null output, this keeper is
// that first process and a user of the desktop until the session ends, so the
// desktop's process never holds a test's output pipe open. It creates
// READY_FILE once the desktop stands.
#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  GetDesktopWindow();
  if (__argc > 1) {
    HANDLE ready = CreateFileA(__argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
  }
  Sleep(INFINITE);
  return 0;
}

// Ferrydrop: copies the support or static library named on its command line
// into the environment's lib\ or static_lib\ folder.
#include <windows.h>

#include "libcopier/win32/run_copy_request.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return raz::RunCopyRequest(); }

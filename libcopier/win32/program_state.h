// Ferrydrop's program-wide values: filled once at start-up, kept until the
// process ends. The program has one thread.
#pragma once

#include <windows.h>

#include "libcopier/copy_request.h"

namespace raz {

// System objects the replace window uses. None is ever released: they live as
// long as the process.
struct AppResources {
  HINSTANCE ModuleHandle = nullptr;
  HICON AppIconLarge = nullptr;
  HICON AppIconSmall = nullptr;
  HCURSOR ArrowCursor = nullptr;
  HFONT GuiFont = nullptr;
  HFONT BoldFont = nullptr;
};

struct FerrydropState {
  CopyRequest request;         // source, environment directory, destination
  HWND MainWindow = nullptr;   // the replace window; null on every other road
  AppResources resources;
};

FerrydropState& State();

}  // namespace raz

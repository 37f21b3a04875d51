// The option frames 外形框1 to 外形框3: a plain rectangle outline in dark grey
// that is the parent of its controls.
#pragma once

#include <windows.h>

namespace raz {

constexpr char kFrameClassName[] = "RavelmendFrame";

// Registers the frame's window class once per process; true when it is available.
bool RegisterFrameClass(HINSTANCE instance);

}  // namespace raz

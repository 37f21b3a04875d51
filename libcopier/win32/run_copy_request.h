#pragma once

namespace raz {

// Fills State().request from the command line and the install value.
void ResolvePaths();

// The whole run: resolve the paths, then end silently, report a missing
// environment, copy at once, or ask in the replace window. Always returns 0.
int RunCopyRequest();

}  // namespace raz

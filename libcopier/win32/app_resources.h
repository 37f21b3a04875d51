// The icons, cursor and fonts of the replace window, obtained once at start-up.
#pragma once

namespace raz {

// Fills State().resources. Never fails as a whole and shows nothing: whatever
// cannot be had stays null.
void LoadAppResources();

}  // namespace raz

// Command ids of Tallyscope's menu and the private messages of its main
// window (the whole-program tests send them too).
#pragma once

#include <windows.h>

namespace raz::viewer {

enum MenuId : unsigned {
  kMenuOpen = 101,
  kMenuClose = 102,
  kMenuExit = 103,
  kMenuSetAssociation = 201,
  kMenuCancelAssociation = 202,
  kMenuAbout = 301,
};

// Private messages of the main window: open the command line's database
// (posted at the first activation), open the last drop, repaint changed rows.
constexpr UINT kOpenCommandLineMessage = WM_APP + 1;
constexpr UINT kFilesDroppedMessage = WM_APP + 2;
constexpr UINT kGridRefreshMessage = WM_APP + 3;

// Control ids of the main window and the password window.
enum ControlId : int {
  kGridId = 1001,
  kStatusBarId = 1002,
  kPasswordLabelId = 2001,
  kPasswordEditId = 2002,
  kPasswordOkId = 2003,
  kPasswordCancelId = 2,  // IDCANCEL: Esc in the window cancels
};

}  // namespace raz::viewer

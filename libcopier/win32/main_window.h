// The replace window's frame and life: class, creation, icons, placement,
// window procedure and message loop. A plain top-level window, not a dialog:
// Tab, Enter, Esc and access keys have no meaning in it.
#pragma once

#include <windows.h>

#include <string>

namespace raz {

// The 8-bit text in the system ANSI code page as UTF-16.
std::wstring ToWide(const std::string& text);

// True when the class is known to the process or the system, or registers now.
bool RegisterWindowClass(const wchar_t* class_name);

// Creates the hidden, centred replace window into State().MainWindow. On
// failure shows its box (no owner, question icon) and returns false.
bool CreateMainWindow();

void SetWindowIcons(HWND window);
// Centres a top-level window on the primary display's work area; keeps its size.
void CenterWindow(HWND window);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// Button 1 copies (and the copy closes the window), button 2 closes it.
LRESULT OnMainCommand(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Dispatches messages until WM_QUIT; returns its exit code.
int RunMessageLoop();

}  // namespace raz

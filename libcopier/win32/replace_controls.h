// The replace window's fifteen controls and the two file icons.
#pragma once

#include <windows.h>

#include <string>

namespace raz {

// Creates the controls of ReplaceLayout for the window's real client width.
void BuildReplaceLayout();

// GetClientRect of `window`; writes the width and/or height asked for.
bool QueryClientSize(HWND window, int* width, int* height);

// A child of State().MainWindow with the given class, text, style, place and
// id, given the bold or the plain GUI font.
HWND CreateChildControl(const std::wstring& class_name, const std::wstring& text, DWORD style, int x, int y, int width,
                        int height, int id, bool bold);

// The shell's icons of the source and destination files in statics 131 and 132.
void ShowFileIcons();

}  // namespace raz

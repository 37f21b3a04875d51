#include "repair/win32/browse_dialog_win32.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "repair/main_window_layout.h"

namespace raz {
namespace {

OpenFileDialogHook& Hook() {
  static OpenFileDialogHook hook;
  return hook;
}

// One run of the dialog; false with the dialog's extended error when it ended
// without a file.
bool RunDialog(HWND owner, const std::string& file_name, std::vector<char>& buffer, DWORD* error) {
  buffer.assign(std::max(kBrowseBufferSize, file_name.size() + 1), '\0');
  std::copy(file_name.begin(), file_name.end(), buffer.begin());
  const std::string filter(kOpenDialogFilter);
  const std::string title(kOpenDialogTitle);
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = kOpenDialogFlags;
  if (Hook()) return Hook()(dialog, error);
  if (GetOpenFileNameA(&dialog)) return true;
  *error = CommDlgExtendedError();
  return false;
}

}  // namespace

void SetOpenFileDialogHook(OpenFileDialogHook hook) { Hook() = std::move(hook); }

BrowseResult ShowBrowseDialog(HWND owner, const std::string& file_name) {
  std::vector<char> buffer;
  DWORD error = 0;
  bool chosen = RunDialog(owner, file_name, buffer, &error);
  // A starting name the dialog refuses does not keep the user from choosing.
  if (!chosen && error == FNERR_INVALIDFILENAME && !file_name.empty()) chosen = RunDialog(owner, "", buffer, &error);
  if (chosen) return {BrowseResult::Outcome::Chosen, std::string(buffer.data())};
  if (error == FNERR_BUFFERTOOSMALL) return {BrowseResult::Outcome::PathTooLong, {}};
  return {};
}

}  // namespace raz

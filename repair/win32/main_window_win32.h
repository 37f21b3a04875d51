// Ravelmend's main window: the layout's controls, the handlers bound to them,
// and the view the handlers work through.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "common/win32/unique_handle.h"
#include "registry/registry_win32.h"
#include "repair/main_window_view.h"
#include "repair/repair_files_win32.h"

namespace raz {

constexpr char kMainWindowClassName[] = "RavelmendMain";

class MainWindow final : public MainWindowView {
 public:
  explicit MainWindow(ProgramGlobals& globals);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window centred on the screen with its controls, runs
  // OnMainWindowCreated and shows the window. False when it could not be made.
  bool Create(HINSTANCE instance, int show);
  HWND handle() const { return hwnd_; }

  // OptionState
  bool IsChecked(RepairOption option) const override;
  bool IsEnabled(RepairOption option) const override;
  // MainWindowView
  std::string PathText() const override;
  void SetPathText(std::string_view text) override;
  void SetDialogFileName(std::string_view path) override;
  void SetRepairCaption(std::string_view caption) override;
  void SetInputsEnabled(bool enabled) override;
  void FocusPath() override;
  void DisableOption(RepairOption option) override;
  void CheckOption(RepairOption option) override;
  void ShowMessage(std::string_view text, std::string_view caption, unsigned flags) override;
  void PumpMessages() override;
  void DiscardQueuedInput() override;
  void RefreshIconCache() override;
  void Close() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK PathEditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                       DWORD_PTR self);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  bool CreateControls();
  void OnCommand(int id, int code);
  void OnBrowseClicked();
  void OnActivate(bool active);
  HWND Control(int id) const;
  MainWindowWorld World() { return {*this, registry_, files_, globals_, guard_}; }

  HWND hwnd_ = nullptr;
  HINSTANCE instance_ = nullptr;
  std::map<int, HWND> controls_;
  HWND last_focus_ = nullptr;  // restored when the window is activated again
  UniqueHBitmap banner_;
  std::vector<UniqueHIcon> icons_;
  Win32Registry registry_;
  Win32RepairFiles files_;
  ProgramGlobals& globals_;
  RepairGuard guard_;
  std::string dialog_file_name_;  // the open-file dialog's file name
  // Enabled state of each option box while the inputs are locked.
  std::array<bool, kRepairOptionCount> option_enabled_{};
};

// Runs the message loop for as long as `main` exists. Esc closes the window,
// Tab and Shift+Tab move the focus between the tab stops, and Alt with a
// button's access key clicks that button; there is no default button.
void RunMessageLoop(HWND main);

}  // namespace raz

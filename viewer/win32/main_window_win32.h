// Tallyscope's main window: the grid 高级表格1, the status bar 状态条1, the
// menu, the drop target 拖放对象1 and the open-file dialog 通用对话框1, and
// the ViewerUi that the viewer's logic works through.
//
// An open (menu, command line or drop) pumps messages while it asks for a
// password and loads, so other requests can arrive meanwhile: a second open
// is refused, closing the database or the window waits until the open is
// over, and once the window is being destroyed no open starts and closing or
// exiting again does nothing. No exception leaves the window procedure.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "viewer/viewer.h"
#include "viewer/win32/drop_target_win32.h"
#include "viewer/win32/grid_control_win32.h"

namespace raz::viewer {

class MainWindow final : public ViewerUi {
 public:
  MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window (640 x 480, centred on the screen) and shows it.
  bool Create(int show);
  HWND Handle() const { return window_; }

  // ViewerUi.
  void SetStatusText(std::string_view text) override;
  void PumpMessages() override;
  void SetMainWindowEnabled(bool enabled) override;
  void SetTitle(const std::string& title) override;
  std::optional<std::string> AskPassword() override;
  void ShowMessage(const std::string& text, const std::string& caption, unsigned flags) override;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  void OnMainCreated();
  void LayoutGrid();
  void OnCommand(unsigned id);
  // Runs `open` unless an open runs already or the window is going; then
  // carries out a close or exit that arrived meanwhile.
  void RunOpen(const std::function<void()>& open);
  void RecoverFromFailedOpen();
  bool AcceptsOpens() const;
  void CloseCommand();
  void OpenWithDialog();
  void SetAssociationCommand();
  void CancelAssociationCommand();
  void ShowAbout();
  void ExitCommand();

  HWND window_ = nullptr;
  HWND status_ = nullptr;
  Viewer viewer_;  // owns the grid's model, so it outlives the control
  GridControl grid_;
  DropTarget drop_target_;
  bool activated_once_ = false;
  bool command_line_done_ = false;  // the command line's open ran (or was refused)
  std::string dropped_;  // text of the last drop, opened once the drop is over
  bool opening_ = false;        // an open runs (password window, load)
  bool closing_ = false;        // the window is being destroyed
  bool close_pending_ = false;  // "关闭数据库" arrived during an open
  bool exit_pending_ = false;   // "退出" or a close arrived during an open
};

// Runs the message loop while the main window exists; Esc in the main window
// closes it.
int RunMessageLoop(HWND main_window);

}  // namespace raz::viewer

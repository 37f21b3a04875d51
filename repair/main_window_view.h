// What the main window's handlers need from the window and the world around it.
// The Win32 window implements the view; host tests use a recording double.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "registry/registry_items.h"
#include "repair/repair_context.h"

namespace raz {

// The main window as the handlers see it. The option check boxes are read
// through OptionState, as the registrations read them.
class MainWindowView : public OptionState {
 public:
  // Content of the path box 编辑框1.
  virtual std::string PathText() const = 0;
  virtual void SetPathText(std::string_view text) = 0;
  // The file name the open-file dialog starts with next time.
  virtual void SetDialogFileName(std::string_view path) = 0;
  // Caption of the repair button 按钮2.
  virtual void SetRepairCaption(std::string_view caption) = 0;
  // Enables or disables 编辑框1, 按钮1 and 按钮2, in this order, and with them
  // the option boxes: disabling remembers each box's enabled state, enabling
  // gives it back.
  virtual void SetInputsEnabled(bool enabled) = 0;
  // Gives 编辑框1 the keyboard focus.
  virtual void FocusPath() = 0;
  // The presets of the start: disable an option box, or check it.
  virtual void DisableOption(RepairOption option) = 0;
  virtual void CheckOption(RepairOption option) = 0;
  // A task-modal message box owned by the window; flags as MessageBox takes them.
  virtual void ShowMessage(std::string_view text, std::string_view caption, unsigned flags) = 0;
  // Dispatches the messages waiting in the queue, so the window shows its state;
  // Esc is a close request there as in the message loop.
  virtual void PumpMessages() = 0;
  // Drops the keyboard and mouse input waiting in the queue. A close request
  // among it (Esc, Alt+F4) is handled as one, so it is held, not lost.
  virtual void DiscardQueuedInput() = 0;
  // Makes the shell reload file-type icons.
  virtual void RefreshIconCache() = 0;
  // Carries out a close request that was held while a repair ran.
  virtual void Close() = 0;
};

// The two program-wide texts that a repair sets once the path has passed its
// checks; absent until then.
struct ProgramGlobals {
  std::optional<std::string> chosen_e_exe_path;
  std::optional<std::string> environment_directory;
};

// Whether a repair runs, and whether a close request waits for its end.
struct RepairGuard {
  bool running = false;
  bool close_held = false;
};

// Everything the handlers work on, by reference.
struct MainWindowWorld {
  MainWindowView& view;
  RegistryItems& registry;
  RepairFiles& files;
  ProgramGlobals& globals;
  RepairGuard& guard;
};

}  // namespace raz

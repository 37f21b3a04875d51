// What the viewer's logic asks of its windows. The Win32 main window
// implements it; tests and the benchmark use doubles.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace raz::viewer {

// Enough for loading a table.
class LoadSink {
 public:
  virtual ~LoadSink() = default;
  // Shows the text in the status bar, then pumps pending window messages.
  virtual void SetStatusText(std::string_view text) = 0;
  // Dispatches the window messages waiting in the queue (a quit stays).
  virtual void PumpMessages() = 0;
  virtual void SetMainWindowEnabled(bool enabled) = 0;
};

class ViewerUi : public LoadSink {
 public:
  virtual void SetTitle(const std::string& title) = 0;
  // Shows the password window modally over the main window; the password as
  // typed, empty when the window was cancelled or closed, nothing when it
  // could not be shown.
  virtual std::optional<std::string> AskPassword() = 0;
  // A task-modal box owned by the main window with an OK button.
  virtual void ShowMessage(const std::string& text, const std::string& caption, unsigned flags) = 0;
};

}  // namespace raz::viewer

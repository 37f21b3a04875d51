// The doubles of the viewer's windows for its tests, benchmarks and fuzz
// targets: FakeUi records everything the logic shows and answers the password
// window as scripted; QuietUi shows nothing and keeps only the last status
// text and box, and whether the main window was left disabled.
#pragma once

#include <algorithm>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/viewer_ui.h"

namespace raz::viewer::testing {

struct FakeUi : ViewerUi {
  std::vector<std::string> statuses;
  std::vector<std::string> events;  // "pump", "disable", "enable", "status:..."
  std::string title;
  std::vector<std::string> password_answers;
  bool password_window_fails = false;  // AskPassword shows no window
  int password_prompts = 0;
  struct Box {
    std::string text, caption;
    unsigned flags;
  };
  std::vector<Box> boxes;
  // Pumps left before one throws std::bad_alloc, as a handler running out
  // of memory would; negative: never.
  int pumps_before_bad_alloc = -1;
  // A status text whose showing throws std::bad_alloc.
  std::string bad_alloc_at_status;
  // Runs at each pump (to look at the grid midway, or to throw).
  std::function<void()> at_pump;

  void SetStatusText(std::string_view text) override {
    statuses.emplace_back(text);
    events.push_back("status:" + std::string(text));
    if (!bad_alloc_at_status.empty() && text == bad_alloc_at_status) throw std::bad_alloc();
  }
  void PumpMessages() override {
    events.push_back("pump");
    if (pumps_before_bad_alloc >= 0 && pumps_before_bad_alloc-- == 0) throw std::bad_alloc();
    if (at_pump) at_pump();
  }
  void SetMainWindowEnabled(bool enabled) override { events.push_back(enabled ? "enable" : "disable"); }
  void SetTitle(const std::string& t) override { title = t; }
  std::optional<std::string> AskPassword() override {
    if (password_window_fails) return std::nullopt;
    ++password_prompts;
    if (password_answers.empty()) return std::string();
    std::string answer = password_answers.front();
    password_answers.erase(password_answers.begin());
    return answer;
  }
  void ShowMessage(const std::string& text, const std::string& caption, unsigned flags) override {
    boxes.push_back({text, caption, flags});
  }
  int Count(const std::string& event) const { return static_cast<int>(std::count(events.begin(), events.end(), event)); }
};

struct QuietUi : ViewerUi {
  std::string status, box;
  int boxes = 0;
  int disabled = 0;  // disables less enables: 0 once the window is usable
  void SetStatusText(std::string_view text) override { status = text; }
  void PumpMessages() override {}
  void SetMainWindowEnabled(bool enabled) override { disabled += enabled ? -1 : 1; }
  void SetTitle(const std::string&) override {}
  std::optional<std::string> AskPassword() override { return std::string(); }
  void ShowMessage(const std::string& text, const std::string&, unsigned) override {
    box = text;
    ++boxes;
  }
};

}  // namespace raz::viewer::testing

// A ViewerUi double for the viewer's tests: records what the logic shows and
// answers the password window.
#pragma once

#include <algorithm>
#include <new>
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

  void SetStatusText(std::string_view text) override {
    statuses.emplace_back(text);
    events.push_back("status:" + std::string(text));
    if (!bad_alloc_at_status.empty() && text == bad_alloc_at_status) throw std::bad_alloc();
  }
  void PumpMessages() override {
    events.push_back("pump");
    if (pumps_before_bad_alloc >= 0 && pumps_before_bad_alloc-- == 0) throw std::bad_alloc();
  }
  void SetMainWindowEnabled(bool enabled) override { events.push_back(enabled ? "enable" : "disable"); }
  void SetTitle(const std::string& t) override { title = t; }
  std::string AskPassword() override {
    ++password_prompts;
    if (password_answers.empty()) return {};
    std::string answer = password_answers.front();
    password_answers.erase(password_answers.begin());
    return answer;
  }
  void ShowMessage(const std::string& text, const std::string& caption, unsigned flags) override {
    boxes.push_back({text, caption, flags});
  }
  int Count(const std::string& event) const { return static_cast<int>(std::count(events.begin(), events.end(), event)); }
};

}  // namespace raz::viewer::testing

#include "viewer/viewer.h"

#include <new>
#include <stdexcept>

#include "common/gbk_text.h"
#include "viewer/command_line.h"
#include "viewer/dropped_files.h"
#include "viewer/edb/edb.h"
#include "viewer/edb/error_texts.h"

namespace raz::viewer {

void Viewer::ResetView() {
  if (!edb::CurrentDatabaseName().empty()) edb::CloseDatabase();
  state_.field_count = 0;
  state_.field_names.clear();
  state_.record_count = 0;
  state_.open_path.clear();
  ui_.SetStatusText("");
  grid_.SetRowCount(1);
  grid_.SetColumnCount(1);
  grid_.Reinitialise();
  UpdateTitle();
}

void Viewer::UpdateTitle() {
  ui_.SetTitle(state_.open_path.empty() ? std::string("Tallyscope") : "Tallyscope - " + state_.open_path);
}

bool Viewer::LoadOpened(const std::string& path) {
  state_.open_path = path;
  UpdateTitle();
  if (LoadTable(state_, grid_, ui_) == LoadOutcome::kLoaded) return true;
  ReportTooLarge(path, true);
  return false;
}

void Viewer::ReportTooLarge(const std::string& path, bool counts_read) {
  // An open that ran out of memory has read no counts: none are claimed.
  const std::string counts = counts_read ? "记录数：" + std::to_string(state_.record_count) + "\r\n字段数：" +
                                               std::to_string(state_.field_count) + "\r\n"
                                         : std::string();
  const std::string text = "数据表太大，本程序无法显示\r\n" + counts + path;
  ResetView();
  ui_.SetStatusText("数据表太大，无法显示");
  ui_.ShowMessage(text, "错误", kInformationBox);
}

void Viewer::ReportOpenFailure(const std::string& path, std::optional<std::int32_t> code) {
  ui_.SetStatusText("打开数据库失败");
  // Read after the status text: its message pump may run other handlers.
  const std::int32_t shown = code.value_or(edb::LastErrorCode());
  const std::string text = "打开raz数据库失败\r\n错误代码：" + std::to_string(shown) + "\r\n错误信息：" +
                           std::string(edb::ErrorText(shown)) + "\r\n" + path;
  ui_.ShowMessage(text, "错误", kInformationBox);
}

bool Viewer::OpenDatabaseFile(const std::string& path) {
  // Memory that runs out outside the table (path, title, password, texts)
  // is no sign of a large table: the open fails as the engine's own
  // allocations do, with -2. Anything else that stops the open fails it
  // with -21. Either way the view is reset and the box shown.
  std::int32_t code = edb::code::kOutOfMemory;
  try {
    return OpenAndLoad(path);
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  } catch (...) {
    code = edb::code::kOpenFailed;
  }
  ResetView();
  ReportOpenFailure(path, code);
  return false;
}

bool Viewer::OpenAndLoad(const std::string& path) {
  ResetView();
  if (edb::OpenDatabase(path)) return LoadOpened(path);
  if (edb::LastErrorCode() == edb::code::kBadPassword) {
    // A password window that cannot be shown leaves the engine's -78.
    if (std::optional<std::string> typed = ui_.AskPassword()) {
      state_.typed_password = std::move(*typed);
      if (state_.typed_password.empty()) return false;
      if (edb::OpenDatabase(path, state_.typed_password)) return LoadOpened(path);
    }
  }
  // The engine's own allocations ran out: the table is too large for it.
  if (edb::LastErrorCode() == edb::code::kOutOfMemory) {
    ReportTooLarge(path, false);
    return false;
  }
  ReportOpenFailure(path, std::nullopt);
  return false;
}

void Viewer::OpenFromCommandLine(std::string_view command_line,
                                 const std::function<bool(const std::string&)>& exists) {
  const std::vector<std::string> args = SplitCommandLine(command_line);
  if (!args.empty() && exists(args.front())) OpenDatabaseFile(args.front());
}

void Viewer::OnFilesDropped(std::string_view text) { OpenDatabaseFile(FirstDroppedPath(text)); }

}  // namespace raz::viewer

#include "viewer/viewer.h"

#include <new>
#include <stdexcept>

#include "common/gbk_text.h"
#include "viewer/command_line.h"
#include "viewer/dropped_files.h"
#include "viewer/edb/edb.h"

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
  ReportTooLarge(path);
  return false;
}

void Viewer::ReportTooLarge(const std::string& path) {
  const std::string text = "数据表太大，本程序无法显示\r\n记录数：" + std::to_string(state_.record_count) +
                           "\r\n字段数：" + std::to_string(state_.field_count) + "\r\n" + path;
  ResetView();
  ui_.SetStatusText("数据表太大，无法显示");
  ui_.ShowMessage(text, "错误", kInformationBox);
}

bool Viewer::OpenDatabaseFile(const std::string& path) {
  try {
    return OpenAndLoad(path);
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  ReportTooLarge(path);
  return false;
}

bool Viewer::OpenAndLoad(const std::string& path) {
  ResetView();
  if (edb::OpenDatabase(path)) return LoadOpened(path);
  if (edb::LastErrorCode() == edb::code::kBadPassword) {
    state_.typed_password = ui_.AskPassword();
    if (state_.typed_password.empty()) return false;
    if (edb::OpenDatabase(path, state_.typed_password)) return LoadOpened(path);
  }
  ui_.SetStatusText("打开数据库失败");
  // Read after the status text: its message pump may run other handlers.
  const std::string text = "打开raz数据库失败\r\n错误代码：" + std::to_string(edb::LastErrorCode()) +
                           "\r\n错误信息：" + edb::LastErrorText() + "\r\n" + path;
  ui_.ShowMessage(text, "错误", kInformationBox);
  return false;
}

void Viewer::OpenFromCommandLine(std::string_view command_line,
                                 const std::function<bool(const std::string&)>& exists) {
  const std::vector<std::string> args = SplitCommandLine(command_line);
  if (!args.empty() && exists(args.front())) OpenDatabaseFile(args.front());
}

void Viewer::OnFilesDropped(std::string_view text) { OpenDatabaseFile(FirstDroppedPath(text)); }

}  // namespace raz::viewer

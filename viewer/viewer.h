// Tallyscope's logic: the state of the open database, clearing the view,
// opening a database by any of its three roads and loading it into the grid.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/egrid.h"
#include "viewer/viewer_ui.h"

namespace raz::viewer {

struct ViewerState {
  std::int32_t field_count = 0;
  std::vector<std::string> field_names;  // in field order (field j at j - 1)
  std::int32_t record_count = 0;
  std::string open_path;  // as given to OpenDatabaseFile; empty: none open
  std::string typed_password;  // last password accepted in the password window
};

enum class LoadOutcome {
  kLoaded,    // every record is in the grid, or the table has no fields
  kTooLarge,  // the table passes the grid's budget, or memory ran out
};

// Fills the grid with the current database of the engine: field names in the
// header row, record numbers in the header column, every value as text. A
// table beyond the grid's budget (EGrid::kMaxCells, EGrid::kMaxTextBytes) is
// refused before the grid grows or stops as its texts pass it; running out of
// memory stops it too (nothing is thrown). Either way the main window is
// enabled again and the grid keeps what was loaded.
LoadOutcome LoadTable(ViewerState& state, EGrid& grid, LoadSink& sink);

constexpr unsigned kInformationBox = 0x40;

class Viewer {
 public:
  explicit Viewer(ViewerUi& ui) : ui_(ui) {}

  EGrid& Grid() { return grid_; }
  const ViewerState& State() const { return state_; }

  // Closes the open database and clears counts, names, path, status and grid
  // (1 x 1, re-initialised); then the title.
  void ResetView();
  // "Tallyscope", or "Tallyscope - " and the open path.
  void UpdateTitle();

  // Closes what was open, opens the file (asking once for the password when
  // the engine wants one) and loads it. A failure shows "打开数据库失败" and
  // a box with the engine's code, text and the path (also when the password
  // window cannot be shown); a cancelled password ends silently. A table too
  // large to show, or the engine running out of memory while it opens or
  // loads the table, resets the view (no part of the table stays) and shows
  // "数据表太大，无法显示" and a box with the record and field counts (when
  // they were read) and the path. Memory running out anywhere else fails the
  // open with code -2, any other exception with -21. Throws only when the
  // failure cannot be shown either.
  bool OpenDatabaseFile(const std::string& path);

  // Opens the first argument of the command line when `exists` finds it.
  void OpenFromCommandLine(std::string_view command_line, const std::function<bool(const std::string&)>& exists);
  // Opens the first of the dropped files.
  void OnFilesDropped(std::string_view text);

 private:
  bool OpenAndLoad(const std::string& path);
  bool LoadOpened(const std::string& path);
  void ReportTooLarge(const std::string& path, bool counts_read);
  // The failure status and box, with `code` or else the engine's last code.
  void ReportOpenFailure(const std::string& path, std::optional<std::int32_t> code);

  ViewerUi& ui_;
  ViewerState state_;
  EGrid grid_;
};

}  // namespace raz::viewer

// libFuzzer target: opens its input as a database with its auxiliary file and
// loads it into the grid model as Tallyscope does. Run with -rss_limit_mb and
// -malloc_limit_mb so that memory growing past the table budget is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/fuzz/edb_fuzz_input.h"
#include "tests/shared/edb_writer.h"
#include "tests/shared/viewer_ui_doubles.h"
#include "viewer/edb/edb.h"
#include "viewer/viewer.h"

using namespace raz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static edb::testing::ScratchDir dir;
  static const std::string path = dir.File("fuzz.edb");
  static const std::string aux_path = dir.File("fuzz.edt");

  edb::fuzz::FuzzFiles files = edb::fuzz::SplitInput(std::string_view(reinterpret_cast<const char*>(data), size));
  edb::testing::WriteFileBytes(path, files.database);
  edb::testing::WriteFileBytes(aux_path, files.auxiliary);

  if (!edb::OpenDatabase(path)) return 0;
  viewer::ViewerState state;
  viewer::EGrid grid;
  viewer::testing::QuietUi sink;  // the load must leave the window enabled
  const viewer::LoadOutcome outcome = viewer::LoadTable(state, grid, sink);
  if (sink.disabled != 0) __builtin_trap();
  if (grid.TextArenaBytes() > viewer::EGrid::kMaxTextBytes) __builtin_trap();
  if (outcome == viewer::LoadOutcome::kLoaded && state.field_count > 0) {
    const std::int64_t rows = state.record_count == 0 ? 10 : std::int64_t{state.record_count} + 1;
    if (grid.RowCount() != rows || grid.ColumnCount() != state.field_count + 1) __builtin_trap();
    // The last record's number is in the header column.
    if (state.record_count > 0 && std::to_string(state.record_count) != grid.CellText(state.record_count, 0)) {
      __builtin_trap();
    }
  }
  edb::CloseDatabase();
  return 0;
}

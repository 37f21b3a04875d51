// Loads a 1,000,000-record x 8-field database into the grid model, as the
// viewer does after opening it but without a window, and prints the time and
// the memory that the cells take against their text bytes.
//   viewer_load_bench [records]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "tests/shared/edb_writer.h"
#include "tests/shared/viewer_ui_doubles.h"
#include "viewer/viewer.h"

namespace {

using namespace raz::edb::testing;


double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  const int records = argc > 1 ? std::atoi(argv[1]) : 1000000;
  ScratchDir dir;
  const std::string path = dir.File("bench.edb");
  if (!WriteEightKindsDatabase(path, records)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return 1;
  }

  if (!raz::edb::OpenDatabase(path)) {
    std::fprintf(stderr, "cannot open: %d\n", raz::edb::LastErrorCode());
    return 1;
  }
  raz::viewer::ViewerState state;
  raz::viewer::EGrid grid;
  raz::viewer::testing::QuietUi sink;
  const auto start = std::chrono::steady_clock::now();
  raz::viewer::LoadTable(state, grid, sink);
  const double load_s = Seconds(std::chrono::steady_clock::now() - start);
  raz::edb::CloseDatabase();

  std::size_t text_bytes = 0;
  for (int r = 0; r < grid.RowCount(); ++r) {
    for (int c = 0; c < grid.ColumnCount(); ++c) text_bytes += std::strlen(grid.CellText(r, c));
  }
  const std::size_t cell_bytes = grid.TextArenaBytes() + grid.CellIndexBytes();
  const double mb = 1024.0 * 1024.0;
  const double budget = 2.0 * static_cast<double>(text_bytes) + 64 * mb;
  std::printf("records %d, fields %d, cells %lld\n", state.record_count, state.field_count,
              static_cast<long long>(grid.RowCount()) * grid.ColumnCount());
  std::printf("load time: %.3f s (target <= 1 s)\n", load_s);
  std::printf("cell text bytes: %.1f MB; cell memory: %.1f MB (arena %.1f MB + index %.1f MB); budget %.1f MB\n",
              text_bytes / mb, cell_bytes / mb, grid.TextArenaBytes() / mb, grid.CellIndexBytes() / mb, budget / mb);
  return load_s <= 1.0 && cell_bytes <= budget ? 0 : 2;
}

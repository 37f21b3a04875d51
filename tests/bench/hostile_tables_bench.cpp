// Opens small databases that describe huge tables (overlapping fields, memo
// fields sharing one chain, entering one chain at many blocks or laid one byte
// apart, slots on random chains)
// through the viewer's logic, as the main window does, and prints each one's
// outcome, time and the process's peak memory. Each runs in a process of its
// own so that the peaks are its own. Targets: each is opened or refused
// within 10 s, and within 1 s natively when both its files together hold at
// most 10 MB.
//   hostile_tables_bench           every shape
//   hostile_tables_bench INDEX     the shape at INDEX (from 0) alone
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>

#include "tests/bench/bench_process.h"

#include "tests/shared/edb_hostile_shapes.h"
#include "tests/shared/edb_writer.h"
#include "tests/shared/viewer_ui_doubles.h"
#include "viewer/edb/edb_format.h"
#include "viewer/viewer.h"

namespace {

using namespace raz::edb::testing;

using raz::viewer::testing::QuietUi;

struct Shape {
  const char* name;
  std::function<bool(const std::string&)> write;
};

double FileMb(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return error ? 0.0 : static_cast<double>(size) / 1e6;
}

// Writes the shape, opens it and prints one line; 0 when it met its targets.
int OpenOne(const Shape& shape) {
  ScratchDir dir;
  const std::string path = dir.File("hostile.edb");
  if (!shape.write(path)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return 1;
  }
  const double megabytes = FileMb(path) + FileMb(raz::edb::format::AuxiliaryPath(path));
  const double target = megabytes <= 10.0 ? 1.0 : 10.0;
  QuietUi ui;
  raz::viewer::Viewer viewer(ui);
  const auto start = std::chrono::steady_clock::now();
  const bool opened = viewer.OpenDatabaseFile(path);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const bool too_large = ui.status == "数据表太大，无法显示";
  std::printf("%-34s %5.2f MB + %5.2f MB aux: %s in %.3f s (target < %.0f s), peak %.0f MB, %d box\n", shape.name,
              FileMb(path), FileMb(raz::edb::format::AuxiliaryPath(path)),
              opened ? "opened" : too_large ? "refused as too large" : "refused", seconds, target,
              raz::bench::PeakMegabytes(), ui.boxes);
  std::fflush(stdout);
  return seconds < target ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
  const Shape shapes[] = {
      {"4096 one-byte fields x 1048576", [](const std::string& p) { return WriteOverlappingByteFields(p); }},
      {"1024 text fields of 1 MiB", [](const std::string& p) { return WriteOverlappingTextFields(p); }},
      {"64 memos sharing a 16 MiB chain", [](const std::string& p) { return WriteSharedMemoChain(p); }},
      {"64 memos sharing an 8.65 MB chain", [](const std::string& p) { return WriteSharedMemoChain(p, 64, 8650000); }},
      {"64 memos entering one chain x 2", [](const std::string& p) { return WriteMemosEnteringOneChain(p); }},
      {"4096 memos one byte apart x 2333", [](const std::string& p) { return WriteMemosOneByteApart(p); }},
      {"64 slots on random chains x 10000", [](const std::string& p) { return WriteRandomChains(p); }},
  };
  const int count = static_cast<int>(std::size(shapes));
  if (argc == 2) {
    const int index = std::atoi(argv[1]);
    return index >= 0 && index < count ? OpenOne(shapes[index]) : 1;
  }
  int status = 0;
  for (int index = 0; index < count; ++index) {
    if (raz::bench::RunSelf(argv[0], std::to_string(index)) != 0) status = 2;
  }
  return status;
}

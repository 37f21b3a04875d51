// Opens small databases that describe huge tables (overlapping fields, memo
// fields sharing one chain) through the viewer's logic, as the main window
// does, and prints each one's outcome, time and the process's peak memory.
// Each runs in a child process of its own so that the peaks are its own.
// Target: each is opened or refused within 10 s.
//   hostile_tables_bench
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

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

// Runs in the child: opens the database and prints one line.
int OpenOne(const Shape& shape, const std::string& path) {
  QuietUi ui;
  raz::viewer::Viewer viewer(ui);
  const auto start = std::chrono::steady_clock::now();
  const bool opened = viewer.OpenDatabaseFile(path);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const bool too_large = ui.status == "数据表太大，无法显示";
  std::printf("%-34s %5.2f MB + %5.2f MB aux: %s in %.3f s (target < 10 s), peak %.0f MB, %d box\n", shape.name,
              FileMb(path), FileMb(raz::edb::format::AuxiliaryPath(path)),
              opened ? "opened" : too_large ? "refused as too large" : "refused", seconds, usage.ru_maxrss / 1024.0,
              ui.boxes);
  std::fflush(stdout);  // the child ends with _exit
  return seconds < 10.0 ? 0 : 2;
}

}  // namespace

int main() {
  const Shape shapes[] = {
      {"4096 one-byte fields x 1048576", [](const std::string& p) { return WriteOverlappingByteFields(p); }},
      {"1024 text fields of 1 MiB", [](const std::string& p) { return WriteOverlappingTextFields(p); }},
      {"64 memos sharing a 16 MiB chain", [](const std::string& p) { return WriteSharedMemoChain(p); }},
      {"64 memos sharing an 8.65 MB chain", [](const std::string& p) { return WriteSharedMemoChain(p, 64, 8650000); }},
  };
  ScratchDir dir;
  int status = 0;
  for (const Shape& shape : shapes) {
    const std::string path = dir.File("hostile.edb");
    if (!shape.write(path)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) _exit(OpenOne(shape, path));
    int child_status = 0;
    if (child < 0 || waitpid(child, &child_status, 0) != child || !WIFEXITED(child_status) ||
        WEXITSTATUS(child_status) != 0) {
      status = 2;
    }
  }
  return status;
}

// Tallyscope's start and load times under Wine, printed as figures (run by
// scripts/bench-viewer.sh):
//   viewer_start_bench [runs]
// - what one pump of an empty message queue costs (a load pumps after every
//   50 records), against the cheaper checks of the queue, and between
//   stretches of work as in a load; what touching fresh memory costs;
// - the real program from its start to its main window with no database, and
//   to the status text "共有记录：N" for 2, 100,000 and 1,000,000 records of
//   8 fields: the median of `runs` starts each (5 by default).
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "common/win32/ui.h"
#include "tests/shared/edb_writer.h"
#include "viewer/win32/main_window_win32.h"
#include "viewer_paths.h"
#include "win/driver/driver.h"
#include "win/driver/tallyscope.h"

namespace {

using namespace raz;
using namespace edb::testing;

double Seconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0.0 : values[values.size() / 2];
}

struct Check {
  const char* name;
  std::function<void()> call;
  std::vector<double> us;  // microseconds per call, one figure per round
};

// Microseconds per call of each check: rounds of many calls, the checks taking
// turns so that a busy moment of the machine does not fall on one alone; the
// median round counts.
void PrintPumpCosts() {
  viewer::MainWindow main;
  if (!main.Create(SW_SHOWNOACTIVATE)) return;
  for (int i = 0; i < 20; ++i) {  // the window's first paints
    PumpPendingMessages();
    Sleep(10);
  }
  MSG msg;
  // A load pumps after stretches of work, when the server it asks has gone
  // idle: that pump costs the work with it less the work alone.
  volatile std::uint64_t mix = 1;
  const auto work = [&] {
    for (int i = 0; i < 35000; ++i) mix = mix * 6364136223846793005u + 1442695040888963407u;
  };
  std::vector<Check> checks = {
      {"the viewer's pump (MainWindow::PumpMessages)", [&] { main.PumpMessages(); }, {}},
      {"PeekMessage loop (PumpPendingMessages)", [] { PumpPendingMessages(); }, {}},
      {"PeekMessage PM_NOREMOVE | PM_NOYIELD", [&] { PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_NOYIELD); }, {}},
      {"GetQueueStatus(QS_ALLINPUT)", [] { GetQueueStatus(QS_ALLINPUT); }, {}},
      {"GetInputState", [] { GetInputState(); }, {}},
      {"MsgWaitForMultipleObjectsEx, no wait",
       [] { MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, MWMO_INPUTAVAILABLE); }, {}},
      {"work as long as 50 records' load", work, {}},
      {"that work, then the viewer's pump", [&] { work(); main.PumpMessages(); }, {}},
  };
  constexpr int kRounds = 9;
  constexpr int kCalls = 2000;
  for (int round = 0; round < kRounds; ++round) {
    for (Check& check : checks) {
      const double start = Seconds();
      for (int i = 0; i < kCalls; ++i) check.call();
      check.us.push_back(1e6 * (Seconds() - start) / kCalls);
    }
  }
  std::printf("one pump of an empty queue, in microseconds (median of %d rounds of %d calls):\n", kRounds, kCalls);
  for (const Check& check : checks) std::printf("  %-48s %7.1f\n", check.name, Median(check.us));
  std::printf("  %-48s %7.1f\n", "so the viewer's pump after work",
              Median(checks.back().us) - Median(checks[checks.size() - 2].us));

  // The cells of a million records take about 113 MB, touched page by page.
  constexpr SIZE_T kTouched = SIZE_T{64} << 20;
  auto* bytes = static_cast<volatile char*>(VirtualAlloc(nullptr, kTouched, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  const double start = Seconds();
  for (SIZE_T at = 0; bytes != nullptr && at < kTouched; at += 4096) bytes[at] = 1;
  const double us = 1e6 * (Seconds() - start) / (kTouched / 4096);
  std::printf("first touch of fresh memory: %.1f us a 4 KiB page, %.0f ms for 113 MB\n", us, us * 113 * 256 / 1000);
  VirtualFree(const_cast<char*>(bytes), 0, MEM_RELEASE);
  DestroyWindow(main.Handle());
  PumpPendingMessages();
}

// Milliseconds from starting Tallyscope with `args` until `shown` holds for
// its main window; negative when it never does.
double StartUntil(const std::string& args, const std::function<bool(HWND)>& shown) {
  const double start = Seconds();
  test::Program viewer(RAZ_TALLYSCOPE_EXE, args);
  const HWND main = viewer.WaitForWindow(test::tallyscope::kMainClass, nullptr, 60000);
  if (!main || !test::WaitUntil([&] { return shown(main); }, 120000)) return -1;
  const double ms = 1000 * (Seconds() - start);
  PostMessageA(main, WM_CLOSE, 0, 0);
  viewer.WaitForExit(30000);
  return ms;
}

double MedianStart(int runs, const std::string& args, const std::function<bool(HWND)>& shown) {
  std::vector<double> ms;
  for (int run = 0; run < runs; ++run) {
    const double one = StartUntil(args, shown);
    if (one < 0) return -1;
    ms.push_back(one);
  }
  return Median(ms);
}

double MedianStartToRecords(int runs, const std::string& path, int records) {
  const std::string status = "共有记录：" + std::to_string(records);
  return MedianStart(runs, "\"" + path + "\"",
                     [&](HWND main) { return test::TextOf(test::tallyscope::Status(main)) == status; });
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  OleInitialize(nullptr);
  std::printf("viewer_start_bench (%d-bit), %d runs each\n", static_cast<int>(sizeof(void*) * 8), runs);
  PrintPumpCosts();

  ScratchDir dir;
  const std::string two = dir.File("two.edb");
  const std::string hundred_thousand = dir.File("hundred_thousand.edb");
  const std::string million = dir.File("million.edb");
  if (!WriteEightKindsDatabase(two, 2) || !WriteEightKindsDatabase(hundred_thousand, 100000) || !WriteEightKindsDatabase(million, 1000000)) {
    std::fprintf(stderr, "cannot write the databases in %s\n", dir.path().c_str());
    return 1;
  }

  const double empty_ms = MedianStart(runs, "", [](HWND) { return true; });
  std::printf("start to main window shown, no database:  median %6.0f ms\n", empty_ms);
  const double two_ms = MedianStartToRecords(runs, two, 2);
  std::printf("start to status, 2 records x 8:           median %6.0f ms\n", two_ms);
  const double hundred_thousand_ms = MedianStartToRecords(runs, hundred_thousand, 100000);
  std::printf("start to status, 100,000 records x 8:     median %6.0f ms (target <= 700 ms)\n", hundred_thousand_ms);
  const double million_ms = MedianStartToRecords(runs, million, 1000000);
  std::printf("start to status, 1,000,000 records x 8:   median %6.0f ms = %.1f x the 2-record time (target <= 5 x)\n",
              million_ms, two_ms > 0 ? million_ms / two_ms : 0.0);
  OleUninitialize();
  return empty_ms < 0 || two_ms < 0 || hundred_thousand_ms < 0 || million_ms < 0 ? 1 : 0;
}

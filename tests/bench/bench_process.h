// What the benchmarks need of the process they run in, per platform
// (bench_process_posix.cpp, bench_process_win32.cpp).
#pragma once

#include <string>

namespace raz::bench {

// Runs this program again with `argument` and waits for it; its exit code,
// or -1 when it could not be run or did not end normally. A case run this way
// has a peak memory of its own.
int RunSelf(const char* self, const std::string& argument);

// The most memory this process has held at once, in MB: its resident peak on
// POSIX hosts, its peak commit on Windows (Wine reports what it holds now).
double PeakMegabytes();

}  // namespace raz::bench

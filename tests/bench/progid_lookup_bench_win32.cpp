// progid_lookup_bench: what the repair's look-up of the classes that other
// extensions name costs on the real registry, with many extensions present.
// It plants N extensions (".rzbench<i>" -> "RazBench.<i>") under
// HKEY_CLASSES_ROOT, times the look-up for a class that none of them names
// (the whole list is read: the most a look-up costs), prints one line per N,
// and removes what it planted. Run under Wine:
//   bash scripts/wine-run.sh build/win32 build/win32/tests/progid_lookup_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "registry/registry_win32.h"
#include "repair/progid_readers.h"

namespace {

std::string Planted(int i) { return ".rzbench" + std::to_string(i); }

bool Plant(int from, int to) {
  for (int i = from; i < to; ++i) {
    const std::string cls = "RazBench." + std::to_string(i);
    if (RegSetValueA(HKEY_CLASSES_ROOT, Planted(i).c_str(), REG_SZ, cls.c_str(), static_cast<DWORD>(cls.size())) !=
        ERROR_SUCCESS) {
      return false;
    }
  }
  return true;
}

int CountExtensions(raz::RegistryItems& registry) {
  int n = 0;
  for (const std::string& key : registry.SubkeyNames(raz::RegistryRoot::ClassesRoot, "")) n += !key.empty() && key[0] == '.';
  return n;
}

// Median of five look-ups, in milliseconds.
double TimeLookUp(raz::RegistryItems& registry) {
  std::vector<double> ms;
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    raz::OtherExtensionClasses others(registry);
    const bool own = raz::IsOwnClass(others, "RazBench.NamedByNone", "EDB.Document");
    const auto end = std::chrono::steady_clock::now();
    if (!own) std::printf("unexpected: the class was refused\n");
    ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(ms.begin(), ms.end());
  return ms[2];
}

}  // namespace

int main() {
  raz::Win32Registry registry;
  std::printf("%-12s %-12s %s\n", "planted", "extensions", "look-up (ms, median of 5)");
  int planted = 0;
  bool ok = true;
  for (int target : {0, 1000, 5000, 20000}) {
    if (!(ok = Plant(planted, target))) break;
    planted = target;
    std::printf("%-12d %-12d %.2f\n", planted, CountExtensions(registry), TimeLookUp(registry));
    std::fflush(stdout);
  }
  for (int i = 0; i < std::max(planted, 1); ++i) RegDeleteKeyA(HKEY_CLASSES_ROOT, Planted(i).c_str());
  if (!ok) std::printf("planting failed after %d extensions\n", planted);
  return ok ? 0 : 1;
}

#!/usr/bin/env bash
# bench-viewer.sh [BUILD_DIR...]
# Tallyscope's figures under Wine, for each Windows build tree (build/win64 by
# default; build/win32 too when named): builds the tree, then runs
# viewer_start_bench, which prints what one pump of the message queue costs
# (alone and between stretches of work), what the first touch of a fresh page
# of memory costs, and the median times from the program's start to its main window (no database)
# and to its final status text for 2, 100,000 and 1,000,000 records x 8 fields;
# then the engine's own scan (edb_bench.exe) when the tree has it.
#   VIEWER_BENCH_RUNS  starts per figure (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || set -- build/win64
for build in "$@"; do
  preset=$(basename "$build")
  [ -f "$build/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
  cmake --build "$build" --target viewer_start_bench Tallyscope >/dev/null
  if cmake --build "$build" --target help 2>/dev/null | grep -q '^[^ ]*edb_bench'; then
    cmake --build "$build" --target edb_bench >/dev/null
  fi
  scripts/wine-session.sh start "$build" >/dev/null
  trap 'scripts/wine-session.sh stop "$build" >/dev/null 2>&1 || true' EXIT
  echo "== $build"
  scripts/wine-run.sh "$build" "$build/tests/viewer_start_bench.exe" "${VIEWER_BENCH_RUNS:-5}"
  if [ -f "$build/tests/bench/edb_bench.exe" ]; then
    scripts/wine-run.sh "$build" "$build/tests/bench/edb_bench.exe"
  fi
  scripts/wine-session.sh stop "$build" >/dev/null 2>&1 || true
  trap - EXIT
done

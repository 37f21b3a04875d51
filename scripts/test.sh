#!/usr/bin/env bash
# Sets up the machine, builds both presets and runs every test: the host unit
# tests (ASan, UBSan), the Windows tests under Wine, and the bounded fuzz runs.
# win32 builds the 32-bit deliverables; win64 builds the same sources for
# x86-64, whose tests Wine runs (this kernel cannot execute 32-bit code).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset host >/dev/null
cmake --build --preset host
cmake --preset win32 >/dev/null
cmake --build --preset win32
cmake --preset win64 >/dev/null
cmake --build --preset win64
status=0
ctest --preset host || status=1
ctest --preset win64 || status=1
for fuzz in scripts/fuzz-*.sh; do
  [ -e "$fuzz" ] || continue
  bash "$fuzz" || status=1
done
exit $status

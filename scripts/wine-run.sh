#!/usr/bin/env bash
# wine-run.sh BUILD_DIR PROGRAM.exe [ARGS...]
# The emulator of the Windows build: runs a program under Wine in the build
# tree's prefix, on the run's display, and passes its exit code on.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
shift
. "$here/wine-env.sh" "$build"
# This kernel executes no 32-bit code, so Wine runs only x86-64 programs: say so
# plainly instead of failing obscurely.
if [ -f "$1" ] && [ "$(od -An -tx1 -j "$(( $(od -An -tu4 -j 60 -N4 "$1") + 4 ))" -N2 "$1" | tr -d ' ')" = "4c01" ]; then
  echo "wine-run: $1 is a 32-bit program; run the x86-64 build (preset win64, toolchain cmake/mingw-x86_64.cmake) under Wine" >&2
  exit 126
fi
"$here/wine-session.sh" ensure "$build" >/dev/null
export DISPLAY=$(cat "$raz_session/display")
exec "$raz_wine" "$@"

#!/usr/bin/env bash
# wine-run.sh BUILD_DIR PROGRAM.exe [ARGS...]
# The emulator of the Windows builds: runs a program under Wine in the build
# tree's prefix, on the run's display, and passes its exit code on. A 32-bit
# program runs on Wine's i386 loader, an x86-64 one on the 64-bit loader.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
shift
. "$here/wine-env.sh" "$build"
wine=$(raz_wine_for "$1")
if [ "$WINEARCH" = win32 ] && [ "$wine" != "$raz_wine32" ] && [ -f "$1" ]; then
  echo "wine-run: $1 is not a 32-bit program, and $WINEPREFIX is a 32-bit prefix" >&2
  exit 126
fi
"$here/wine-session.sh" ensure "$build" >/dev/null
export DISPLAY=$(cat "$raz_session/display")
exec "$wine" "$@"

#!/usr/bin/env bash
# wine-run.sh BUILD_DIR PROGRAM.exe [ARGS...]
# The emulator of the Windows build: runs a program under Wine in the build
# tree's prefix, on the run's display, and passes its exit code on.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
shift
. "$here/wine-env.sh" "$build"
"$here/wine-session.sh" ensure "$build" >/dev/null
export DISPLAY=$(cat "$raz_session/display")
exec "$raz_wine" "$@"

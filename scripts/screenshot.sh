#!/usr/bin/env bash
# screenshot.sh PROGRAM [ARGS...]
# Starts a program of the win32 build (Ravelmend, Tallyscope or Ferrydrop, or a
# path to any .exe) under Xvfb and Wine, waits for its windows, and saves the
# screen and each of its top-level windows as PNG files under
# build/win32/screenshots/. RAZ_SHOT_WAIT sets the seconds to wait (default 6).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build="${RAZ_BUILD_DIR:-$root/build/win32}"
program=${1:?usage: screenshot.sh PROGRAM [ARGS...]}
shift
case "$program" in
  *.exe) exe=$program ;;
  *) exe=$(find "$build" -name "$program.exe" -not -path '*/wineprefix/*' | head -n 1) ;;
esac
[ -n "$exe" ] && [ -f "$exe" ] || { echo "screenshot: $program not built (cmake --build --preset win32)" >&2; exit 1; }
. "$here/wine-env.sh" "$build"
"$here/wine-session.sh" ensure "$build"
export DISPLAY=$(cat "$raz_session/display")
out="$build/screenshots"
mkdir -p "$out"
name=$(basename "$exe" .exe)
"$(raz_wine_for "$exe")" "$exe" "$@" >/dev/null 2>&1 &
pid=$!
sleep "${RAZ_SHOT_WAIT:-6}"
import -window root "$out/$name-screen.png"
i=0
for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
  title=$(xdotool getwindowname "$id" 2>/dev/null || true)
  [ -n "$title" ] || continue
  i=$((i + 1))
  import -window "$id" "$out/$name-window$i.png" 2>/dev/null && echo "$out/$name-window$i.png: $title"
done
echo "$out/$name-screen.png"
kill "$pid" 2>/dev/null || true
"$raz_wineserver" -k >/dev/null 2>&1 || true
"$here/wine-session.sh" stop "$build"

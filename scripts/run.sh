#!/usr/bin/env bash
# run.sh [--screenshot [FILE.png]]
# The main job: sets the machine up, builds the win32 preset (the 32-bit
# programs users get), makes a demo environment in the build tree's Wine prefix
# (C:\raz-demo\ holding an e.exe, and the install value C:\raz-demo\lib\) and
# starts the 32-bit Ravelmend under Wine: on the user's own display when
# DISPLAY is set, else on a private Xvfb. With --screenshot it saves
# Ravelmend's window as a PNG (default build/win32/screenshots/Ravelmend-run.png)
# and ends the program instead of waiting for it. RAZ_BUILD_DIR names another
# 32-bit build tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${RAZ_BUILD_DIR:-$root/build/win32}
shot=""
case "${1:-}" in
  "") ;;
  --screenshot) shot=${2:-$build/screenshots/Ravelmend-run.png} ;;
  *) echo "usage: $0 [--screenshot [FILE.png]]" >&2; exit 2 ;;
esac

bash scripts/setup.sh
if [ "$build" = "$root/build/win32" ]; then
  cmake --preset win32 >/dev/null
  cmake --build --preset win32
else
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
  cmake --build "$build"
fi
exe="$build/repair/Ravelmend.exe"

. scripts/wine-env.sh "$build"
# The user's desktop when there is one; the session's own Xvfb otherwise.
if [ -n "${DISPLAY:-}" ]; then export RAZ_DISPLAY=$DISPLAY; fi
scripts/wine-session.sh ensure "$build" >/dev/null
export DISPLAY=$(cat "$raz_session/display")

# The demo environment: any small program stands in for e.exe.
demo="$WINEPREFIX/drive_c/raz-demo"
mkdir -p "$demo/lib"
[ -f "$demo/e.exe" ] || cp "$WINEPREFIX/drive_c/windows/system32/notepad.exe" "$demo/e.exe"
"$raz_wine" reg add 'HKCU\Software\VidOvu\E\Install' /v Path /t REG_SZ /d 'C:\raz-demo\lib\' /f >/dev/null 2>&1

if [ -z "$shot" ]; then
  echo "run: Ravelmend runs on display $DISPLAY (Wine prefix $WINEPREFIX)"
  exec "$raz_wine" "$exe"
fi

"$raz_wine" "$exe" >/dev/null 2>&1 &
pid=$!
window=""
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name '^Ravelmend V1\.30$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "run: Ravelmend's window did not appear" >&2; kill "$pid" 2>/dev/null; exit 1; }
sleep 1  # let it paint
mkdir -p "$(dirname "$shot")"
import -window "$window" "$shot"
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
echo "$shot"

#!/usr/bin/env bash
# wine-session.sh start|ensure|stop BUILD_DIR
# One display and one persistent wineserver for all Wine starts of a run. The
# display is a private Xvfb, or the one named by RAZ_DISPLAY (the user's own
# desktop, for scripts/run.sh); a session on another display than the one asked
# for is stopped and started anew.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
action=$1
mkdir -p "$2"
. "$here/wine-env.sh" "$2"
mkdir -p "$raz_session"
exec 9>"$raz_session/lock"
flock 9

display_alive() {
  [ -f "$raz_session/display" ] && xdpyinfo -display "$(cat "$raz_session/display")" >/dev/null 2>&1
}

# True when the running session is on the display this start asks for.
on_wanted_display() {
  if [ -n "${RAZ_DISPLAY:-}" ]; then
    [ ! -f "$raz_session/xvfb.pid" ] && [ "$(cat "$raz_session/display" 2>/dev/null)" = "$RAZ_DISPLAY" ]
  else
    [ -f "$raz_session/xvfb.pid" ]
  fi
}

# The path as Windows programs see it: the Linux root is drive Z:.
winepath_of() {
  echo "Z:$(tr / '\\' <<<"$1")"
}

start() {
  if display_alive && on_wanted_display && [ -f "$raz_session/ready" ]; then return; fi
  if ! on_wanted_display || ! display_alive; then stop; fi
  if [ -n "${RAZ_DISPLAY:-}" ]; then
    echo "$RAZ_DISPLAY" > "$raz_session/display"
    display_alive || { echo "wine-session: cannot open display $RAZ_DISPLAY" >&2; exit 1; }
  else
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    # fd 9 (the lock) is closed for every long-lived child, or the lock would
    # outlive this script.
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 9>&- &
    echo $! > "$raz_session/xvfb.pid"
    echo ":$n" > "$raz_session/display"
    for _ in $(seq 100); do display_alive && break; sleep 0.1; done
    display_alive || { echo "wine-session: Xvfb did not start" >&2; exit 1; }
  fi
  export DISPLAY=$(cat "$raz_session/display")
  # Keep the wineserver alive between the programs of the run, and start the
  # prefix's services here with null output: a service started by a test's
  # first program would hold that test's output pipe open, and the test would
  # never end for ctest. The wineserver refuses a prefix folder that does not
  # exist yet, so the folder is made first.
  mkdir -p "$WINEPREFIX"
  "$raz_wineserver" -p >/dev/null 2>&1 9>&- || true
  "$raz_wine" wineboot >/dev/null 2>&1 9>&- </dev/null || true
  # Xvfb runs no window manager: let Wine manage its windows itself, so each
  # window closes at once instead of after a time-out, and has a title bar. On
  # the user's desktop its window manager does that.
  local key='HKCU\Software\Wine\X11 Driver'
  if [ -n "${RAZ_DISPLAY:-}" ]; then
    "$raz_wine" reg delete "$key" /v Managed /f >/dev/null 2>&1 9>&- </dev/null || true
  else
    "$raz_wine" reg add "$key" /v Managed /d N /f >/dev/null 2>&1 9>&- </dev/null || true
  fi
  # The desktop's process inherits the output of whichever program first uses
  # the desktop; started by the keeper, it never holds a test's pipe open.
  local keeper="$raz_build/tests/desktop_keeper.exe"
  if [ -f "$keeper" ]; then
    rm -f "$raz_session/desktop-ready"
    "$(raz_wine_for "$keeper")" "$keeper" "$(winepath_of "$raz_session/desktop-ready")" \
      >/dev/null 2>&1 </dev/null 9>&- &
    for _ in $(seq 300); do [ -e "$raz_session/desktop-ready" ] && break; sleep 0.1; done
  fi
  touch "$raz_session/ready"
}

stop() {
  "$raz_wineserver" -k >/dev/null 2>&1 || true
  if [ -f "$raz_session/xvfb.pid" ]; then kill "$(cat "$raz_session/xvfb.pid")" 2>/dev/null || true; fi
  rm -f "$raz_session/display" "$raz_session/xvfb.pid" "$raz_session/ready" "$raz_session/desktop-ready"
}

case "$action" in
  start|ensure) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|ensure|stop BUILD_DIR" >&2; exit 2 ;;
esac

#!/usr/bin/env bash
# wine-session.sh start|ensure|stop BUILD_DIR
# One Xvfb display and one persistent wineserver for all Wine starts of a run.
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

start() {
  if display_alive && [ -f "$raz_session/ready" ]; then return; fi
  if ! display_alive; then
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
  # never end for ctest.
  "$raz_wineserver" -p >/dev/null 2>&1 9>&- || true
  "$raz_wine" wineboot >/dev/null 2>&1 9>&- </dev/null || true
  # Xvfb runs no window manager: let Wine manage its windows itself, so each
  # window closes at once instead of after a time-out, and has a title bar.
  "$raz_wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 9>&- </dev/null || true
  touch "$raz_session/ready"
}

stop() {
  "$raz_wineserver" -k >/dev/null 2>&1 || true
  if [ -f "$raz_session/xvfb.pid" ]; then kill "$(cat "$raz_session/xvfb.pid")" 2>/dev/null || true; fi
  rm -f "$raz_session/display" "$raz_session/xvfb.pid" "$raz_session/ready"
}

case "$action" in
  start|ensure) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|ensure|stop BUILD_DIR" >&2; exit 2 ;;
esac

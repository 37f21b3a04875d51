#!/usr/bin/env bash
# The setup's archive steps against a stand-in apt-get that answers like an
# archive mid-sync: every update fails on one index, the first install and the
# first download fail. The steps must go on, pin the release, and end ready.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/bin"
cat >"$tmp/bin/apt-get" <<'FAKE'
#!/usr/bin/env bash
echo "$*" >>"$APT_LOG"
n=$(grep -c "^$1" "$APT_LOG")
case "$1" in
  update) echo "E: Failed to fetch http://archive.invalid/dists/x/main/binary-i386/Packages.xz  File has unexpected size (1 != 2). Mirror sync in progress?"; exit 100 ;;
  install) [[ " $* " == *" -t "* && -z "${PINNED_FAILS:-}" ]] && exit 0; echo "E: Unable to correct problems" >&2; exit 100 ;;
  source | download) ((n > 1)) || exit 100 ;;
esac
FAKE
chmod +x "$tmp/bin/apt-get"

run() {
  : >"$tmp/log"
  PATH="$tmp/bin:$PATH" APT_LOG="$tmp/log" RAZ_APT_PAUSE=0 release=testing bash -c \
    '. "$1/scripts/apt-steps.sh"; apt_install wine32:i386 xvfb; apt_retry "apt-get source" apt-get source x
     apt_retry "apt-get download" apt-get download y; echo ready' _ "$here" >"$tmp/out" 2>&1
}
fail() { echo "FAIL: $*"; cat "$tmp/out"; exit 1; }

run || fail "the steps stopped"
grep -q '^setup: apt-get update left out http://archive.invalid/.*binary-i386/Packages.xz: File has unexpected size' "$tmp/out" ||
  fail "no line names the failed index"
tail -n 1 "$tmp/out" | grep -qx ready || fail "did not end ready"
updates=$'update -q\nupdate -q\nupdate -q'
expected="$updates
install -y -q wine32:i386 xvfb
install -y -q -t testing wine32:i386 xvfb
source x
$updates
source x
download y
$updates
download y"
[ "$(cat "$tmp/log")" = "$expected" ] || fail "calls were: $(cat "$tmp/log")"

PINNED_FAILS=1 run && fail "a failed pinned install went on"
grep -q '^setup: apt-get install failed; the package archive may be mid-sync: try again later' "$tmp/out" ||
  fail "no remedy line"
echo "apt steps: ok"

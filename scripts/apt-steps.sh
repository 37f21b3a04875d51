# Sourced by setup.sh (and its test): the steps that ask the package archive,
# each tolerant of an archive that is mid-sync. Such an archive serves an index
# of unexpected size for hours, and without that index apt mixes the security
# suite's amd64 versions with the release's i386 ones, which multiarch refuses.
apt_pause=${RAZ_APT_PAUSE:-5}
apt_tries=${RAZ_APT_TRIES:-3}
release=${release:-$(. /etc/os-release && echo "$VERSION_CODENAME")}
apt_updated=${apt_updated:-0}

# Ends the setup with the cause and the remedy.
apt_fail() {
  echo "setup: $1 failed; the package archive may be mid-sync: try again later, when it has finished syncing" >&2
  exit 1
}

# apt-get update, retried; when an index still fails, says which in one line
# and goes on with the indexes apt has.
apt_update() {
  [ "$apt_updated" = 0 ] || return 0
  local try log failed
  log=$(mktemp)
  for ((try = 1; ; try++)); do
    if apt-get update -q >"$log" 2>&1; then break; fi
    if ((try >= apt_tries)); then
      failed=$(sed -nE 's/^E: Failed to fetch ([^ ]+) +(.*)$/\1: \2/p' "$log" | paste -sd ';' -)
      echo "setup: apt-get update left out ${failed:-an index ($(grep -m1 '^E:' "$log"))}; going on with the indexes it has"
      break
    fi
    sleep "$apt_pause"
  done
  rm -f "$log"
  apt_updated=1
}

# apt-get install, and once more with the release's own suite pinned for every
# architecture, so that both halves of a multiarch pair get one version.
apt_install() {
  apt_update
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@" && return 0
  echo "setup: apt-get install failed; trying again with the $release suite pinned"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q -t "$release" "$@" && return 0
  apt_fail "apt-get install"
}

# apt_retry WHAT COMMAND...: an archive download (apt-get source, apt-get
# download) run up to apt_tries times, with the index read anew before each retry.
apt_retry() {
  local what=$1 try
  shift
  apt_update
  for ((try = 1; try <= apt_tries; try++)); do
    "$@" && return 0
    ((try < apt_tries)) || break
    sleep "$apt_pause"
    apt_updated=0
    apt_update
  done
  apt_fail "$what"
}

#!/usr/bin/env bash
# Installs what this project needs on a Debian 12 machine. Idempotent: on a
# ready machine it downloads nothing and finishes in seconds.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libgtest-dev libgmock-dev libbenchmark-dev libjpeg-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine64 wine32:i386 fonts-wine xvfb x11-utils xdotool imagemagick locales fonts-wqy-microhei dpkg-dev
)
jpeg_src=/opt/raz/src
here=$(cd "$(dirname "$0")/.." && pwd)

. "$here/scripts/apt-steps.sh"

# The machine's own Debian archive: the first URI of its apt sources that serves
# the release's main suite (deb822 .sources files, then the one-line format).
archive_uri() {
  local uri=""
  if compgen -G '/etc/apt/sources.list.d/*.sources' >/dev/null; then
    uri=$(awk -v suite="$release" '
      BEGIN { RS = ""; FS = "\n" }
      {
        types = ""; uris = ""; suites = ""
        for (i = 1; i <= NF; i++) {
          line = $i
          if (line ~ /^Types:/) { sub(/^Types:[ \t]*/, "", line); types = " " line " " }
          else if (line ~ /^URIs:/) { sub(/^URIs:[ \t]*/, "", line); uris = line }
          else if (line ~ /^Suites:/) { sub(/^Suites:[ \t]*/, "", line); suites = " " line " " }
        }
        if (types ~ / deb / && index(suites, " " suite " ") && uris != "") { split(uris, u, " "); print u[1]; exit }
      }' /etc/apt/sources.list.d/*.sources)
  fi
  if [ -z "$uri" ] && [ -f /etc/apt/sources.list ]; then
    uri=$(awk -v suite="$release" '$1 == "deb" && $3 == suite { print $2; exit }' /etc/apt/sources.list)
  fi
  [ -n "$uri" ] || { echo "setup: no apt source serves $release" >&2; exit 1; }
  echo "$uri"
}

# The source packages and the backports suite come from the same archive.
extra_list=/etc/apt/sources.list.d/raz-extra.sources
rm -f /etc/apt/sources.list.d/raz-deb-src.sources  # an earlier setup's name for it
if [ ! -f "$extra_list" ]; then
  uri=$(archive_uri)
  cat > "$extra_list" <<SRC
Types: deb-src
URIs: $uri
Suites: $release
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: $uri
Suites: $release-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  apt_updated=0
fi

# Wine's 32-bit half comes from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt_updated=0
fi

missing=()
for p in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" != installed ]; then missing+=("$p"); fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt_install "${missing[@]}"
fi

# Wine takes its ANSI code page (936) from the Chinese locale.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen
fi

# libjpeg for the Windows programs: Debian's libjpeg-turbo sources, built as a
# static library for each Windows target (no SIMD, so no assembler is needed).
jpeg_source_dir() {
  find "$jpeg_src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' 2>/dev/null | head -n 1
}
for arch in i686 x86_64; do
  prefix=/opt/raz/$arch
  [ -f "$prefix/lib/libjpeg.a" ] && continue
  if [ -z "$(jpeg_source_dir)" ]; then
    mkdir -p "$jpeg_src"
    (cd "$jpeg_src" && apt_retry "apt-get source libjpeg-turbo" apt-get source -q libjpeg-turbo)
  fi
  dir=$(jpeg_source_dir)
  build="$jpeg_src/build-$arch"
  cmake -S "$dir" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF >/dev/null
  cmake --build "$build" --target jpeg-static
  mkdir -p "$prefix/lib" "$prefix/include"
  cp "$build/libjpeg.a" "$prefix/lib/libjpeg.a"
  cp "$dir/jpeglib.h" "$dir/jmorecfg.h" "$dir/jerror.h" "$build/jconfig.h" "$prefix/include/"
done
# QEMU's i386 user-mode emulator, for kernels that run no 32-bit code: the
# backports' version (the release's own is too slow for Wine), unpacked from
# its package into /opt/raz/qemu instead of installed, so it replaces nothing.
qemu=/opt/raz/qemu/qemu-i386
if [ ! -x "$qemu" ]; then
  work=$(mktemp -d)
  (cd "$work" && apt_retry "apt-get download qemu-user" apt-get download -q "qemu-user/$release-backports" &&
    dpkg-deb -x qemu-user_*.deb unpacked)
  mkdir -p "$(dirname "$qemu")"
  cp "$work/unpacked/usr/bin/qemu-i386" "$qemu"
  rm -rf "$work"
fi
# Route i386 ELF programs (Wine's 32-bit loader) to it, unless the kernel runs
# them itself. The registration is kernel-wide: P keeps argv[0], F opens the
# emulator now, so it works in any mount namespace.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  binfmt=/proc/sys/fs/binfmt_misc
  mountpoint -q "$binfmt" || mount -t binfmt_misc binfmt_misc "$binfmt"
  [ -e "$binfmt/raz-qemu-i386" ] && echo -1 > "$binfmt/raz-qemu-i386"
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":raz-qemu-i386:M::$magic:$mask:$qemu:PF" > "$binfmt/register"
  /usr/lib/wine/wine --version >/dev/null || { echo "setup: Wine's 32-bit loader does not run" >&2; exit 1; }
fi
echo "setup: ready"

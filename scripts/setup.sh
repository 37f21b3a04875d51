#!/usr/bin/env bash
# Installs what this project needs on a Debian 12 machine. Idempotent: on a
# ready machine it downloads nothing and finishes in seconds.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libgtest-dev libgmock-dev libbenchmark-dev libjpeg-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386 xvfb x11-utils xdotool imagemagick locales fonts-wqy-microhei dpkg-dev
)
jpeg_prefix=/opt/raz/i686
jpeg_src=/opt/raz/src

apt_updated=0
apt_update() {
  if [ "$apt_updated" = 0 ]; then apt-get update -q; apt_updated=1; fi
}

# 32-bit Wine needs the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt_updated=0
  apt_update
fi

missing=()
for p in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" != installed ]; then missing+=("$p"); fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt_update
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi

# Wine takes its ANSI code page (936) from the Chinese locale.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen
fi

# libjpeg for the Windows programs: Debian's libjpeg-turbo sources, built as a
# static 32-bit library (no SIMD, so no assembler is needed).
if [ ! -f "$jpeg_prefix/lib/libjpeg.a" ]; then
  src_list=/etc/apt/sources.list.d/raz-deb-src.sources
  if [ ! -f "$src_list" ]; then
    cat > "$src_list" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    apt_updated=0
  fi
  apt_update
  rm -rf "$jpeg_src" && mkdir -p "$jpeg_src"
  (cd "$jpeg_src" && apt-get source -q libjpeg-turbo)
  dir=$(find "$jpeg_src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  here=$(cd "$(dirname "$0")/.." && pwd)
  cmake -S "$dir" -B "$jpeg_src/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$jpeg_prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=OFF
  cmake --build "$jpeg_src/build" --target jpeg-static
  cmake --install "$jpeg_src/build" 2>/dev/null || true
  # The install step wants every target; take the library and headers directly.
  mkdir -p "$jpeg_prefix/lib" "$jpeg_prefix/include"
  cp "$jpeg_src/build/libjpeg.a" "$jpeg_prefix/lib/libjpeg.a"
  cp "$dir/jpeglib.h" "$dir/jmorecfg.h" "$dir/jerror.h" "$jpeg_src/build/jconfig.h" "$jpeg_prefix/include/"
fi
echo "setup: ready"

#!/usr/bin/env bash
# Installs what this project needs on a Debian 12 machine. Idempotent: on a
# ready machine it downloads nothing and finishes in seconds.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libgtest-dev libgmock-dev libbenchmark-dev libjpeg-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine64 fonts-wine xvfb x11-utils xdotool imagemagick locales fonts-wqy-microhei dpkg-dev
)
jpeg_src=/opt/raz/src
here=$(cd "$(dirname "$0")/.." && pwd)

apt_updated=0
apt_update() {
  if [ "$apt_updated" = 0 ]; then apt-get update -q; apt_updated=1; fi
}

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
# static library for each Windows target (no SIMD, so no assembler is needed).
jpeg_source_dir() {
  find "$jpeg_src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' 2>/dev/null | head -n 1
}
for arch in i686 x86_64; do
  prefix=/opt/raz/$arch
  [ -f "$prefix/lib/libjpeg.a" ] && continue
  if [ -z "$(jpeg_source_dir)" ]; then
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
    mkdir -p "$jpeg_src"
    (cd "$jpeg_src" && apt-get source -q libjpeg-turbo)
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
echo "setup: ready"

# Sourced: the environment every Wine start of this project uses, for the build
# tree in $1. Each build tree has its own throwaway prefix, of the architecture
# the build recorded in wine-arch (win32 for the 32-bit programs, win64 for the
# x86-64 build; a tree without the file is taken as win64).
raz_build=$(cd "$1" && pwd)
export WINEPREFIX="$raz_build/wineprefix"
WINEARCH=$(cat "$raz_build/wine-arch" 2>/dev/null || echo win64)
export WINEARCH
# Loaders called directly: the i386 one (run through QEMU where the kernel
# executes no 32-bit code) for 32-bit programs, the x86-64 one for the rest.
# One native wineserver serves prefixes of both architectures.
raz_wine32=/usr/lib/wine/wine
raz_wine64=/usr/lib/wine/wine64
if [ "$WINEARCH" = win32 ]; then raz_wine=$raz_wine32; else raz_wine=$raz_wine64; fi
raz_wineserver=/usr/lib/wine/wineserver64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=zh_CN.UTF-8
export LANG=zh_CN.UTF-8
raz_session="$raz_build/wine-session"

# raz_wine_for PROGRAM: the loader that runs the program in this prefix: a
# 32-bit PE through the i386 loader, anything else through the prefix's own.
raz_wine_for() {
  local offset machine
  if [ -f "$1" ] && offset=$(od -An -tu4 -j 60 -N4 "$1" 2>/dev/null) &&
     machine=$(od -An -tx1 -j "$((offset + 4))" -N2 "$1" 2>/dev/null | tr -d ' ') &&
     [ "$machine" = "4c01" ]; then
    echo "$raz_wine32"
  else
    echo "$raz_wine"
  fi
}

# Sourced: the environment every Wine start of this project uses, for the build
# tree in $1. Each build tree has its own throwaway prefix.
raz_build=$(cd "$1" && pwd)
export WINEPREFIX="$raz_build/wineprefix"
export WINEARCH=win64
# The 64-bit loader and server, called directly: this kernel runs no 32-bit code.
raz_wine=/usr/lib/wine/wine64
raz_wineserver=/usr/lib/wine/wineserver64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=zh_CN.UTF-8
export LANG=zh_CN.UTF-8
raz_session="$raz_build/wine-session"

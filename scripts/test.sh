#!/usr/bin/env bash
# Sets up the machine, builds every preset and runs every test: the bounded
# fuzz runs, the host unit tests (ASan, UBSan), and for each Windows preset the
# whole Windows test suite under Wine: win32 on the 32-bit deliverables in a
# 32-bit prefix (with the checks of those files), win64 on the x86-64 build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
for preset in host win32 win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

status=0
mkdir -p build
for fuzz in scripts/fuzz-*.sh; do
  [ -e "$fuzz" ] || continue
  log="build/$(basename "$fuzz" .sh).log"
  if bash "$fuzz" >"$log" 2>&1; then
    echo "$fuzz: no finding ($(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?') runs)"
  else
    tail -n 40 "$log"
    echo "$fuzz: FAILED (log: $log)"
    status=1
  fi
done

passed=0
failed=0
for preset in host win32 win64; do
  log="build/ctest-$preset.log"
  ctest --preset "$preset" 2>&1 | tee "$log" || status=1
  summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
  bad=$(sed -E 's/.*, ([0-9]+) tests failed.*/\1/' <<<"$summary")
  passed=$((passed + ${total:-0} - ${bad:-0}))
  failed=$((failed + ${bad:-0}))
done
echo "$passed passed, $failed failed"
exit $status

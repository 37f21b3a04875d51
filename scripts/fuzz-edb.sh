#!/usr/bin/env bash
# Fuzzes the .edb engine and Tallyscope's loading of a table into its grid:
# builds the libFuzzer targets with clang (ASan, UBSan) into build/fuzz/,
# writes seed databases with the test writer, replays every input kept under
# tests/fuzz/regressions/ through both and full-size databases describing
# huge tables through the loading target, then runs a bounded session of each.
# Exits non-zero on a finding; the input that broke a target is left in
# build/fuzz/findings/.
#   EDB_FUZZ_SECONDS     length of the engine's session (default 20)
#   VIEWER_FUZZ_SECONDS  length of the loading session (default 25)
#   EDB_FUZZ_RUNS        stop each after this many executions instead (optional)
set -euo pipefail
cd "$(dirname "$0")/.."

out=build/fuzz
mkdir -p "$out/corpus" "$out/corpus-viewer" "$out/seeds" "$out/huge" "$out/findings"

engine=(viewer/edb/edb.cpp viewer/edb/database.cpp viewer/edb/block_cache.cpp viewer/edb/edb_format.cpp
        viewer/edb/error_texts.cpp viewer/edb/file_access_posix.cpp viewer/edb/sha256.cpp
        viewer/edb/full_path_posix.cpp viewer/edb/thread_error_posix.cpp
        common/gbk_text.cpp tests/shared/edb_writer.cpp tests/shared/edb_hostile_shapes.cpp)
grid=(viewer/egrid.cpp viewer/text_arena.cpp viewer/value_text.cpp viewer/load_table.cpp)
flags=(-std=c++17 -g -O1 -I. -Wall -Wextra)

clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  "${engine[@]}" tests/fuzz/edb_fuzz.cpp -o "$out/edb_fuzz"
clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  "${engine[@]}" "${grid[@]}" tests/fuzz/viewer_load_fuzz.cpp -o "$out/viewer_load_fuzz"
clang++ "${flags[@]}" "${engine[@]}" tests/fuzz/edb_seeds.cpp -o "$out/edb_seeds"
"$out/edb_seeds" "$out/seeds" "$out/huge"

# Scratch files of each run go to memory where there is some.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

# The loader keeps at most its budget (a 64 MiB cell index, 512 MiB of text
# chunks) and a few copies of one value of up to 16 MiB: under ASan the huge
# tables peak below 900 MB. Beyond the limits is unbounded growth.
edb_limits=(-rss_limit_mb=2048 -malloc_limit_mb=128)
viewer_limits=(-rss_limit_mb=1200 -malloc_limit_mb=128)

if compgen -G "tests/fuzz/regressions/*" >/dev/null; then
  "$out/edb_fuzz" "${edb_limits[@]}" -runs=0 tests/fuzz/regressions/*
  "$out/viewer_load_fuzz" "${viewer_limits[@]}" -runs=0 tests/fuzz/regressions/*
fi
"$out/viewer_load_fuzz" "${viewer_limits[@]}" -runs=0 -print_final_stats=1 "$out/huge"/*

session() {  # target, seconds, corpus, limits...
  local target=$1 seconds=$2 corpus=$3
  shift 3
  local limit=(-max_total_time="$seconds")
  if [ -n "${EDB_FUZZ_RUNS:-}" ]; then limit=(-runs="$EDB_FUZZ_RUNS"); fi
  "$out/$target" "${limit[@]}" -timeout=10 "$@" -print_final_stats=1 \
    -artifact_prefix="$out/findings/$target-" "$corpus" "$out/seeds"
}
session edb_fuzz "${EDB_FUZZ_SECONDS:-20}" "$out/corpus" "${edb_limits[@]}"
session viewer_load_fuzz "${VIEWER_FUZZ_SECONDS:-25}" "$out/corpus-viewer" "${viewer_limits[@]}"

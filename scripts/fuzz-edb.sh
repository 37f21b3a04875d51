#!/usr/bin/env bash
# Fuzzes the .edb engine: builds the libFuzzer target with clang (ASan, UBSan)
# into build/fuzz/, writes seed databases with the test writer, replays every
# input kept under tests/fuzz/regressions/, then runs a bounded session.
# Exits non-zero on a finding; the input that broke the engine is left in
# build/fuzz/findings/.
#   EDB_FUZZ_SECONDS  length of the session (default 45)
#   EDB_FUZZ_RUNS     stop after this many executions instead (optional)
set -euo pipefail
cd "$(dirname "$0")/.."

out=build/fuzz
mkdir -p "$out/corpus" "$out/seeds" "$out/findings"

engine=(viewer/edb/edb.cpp viewer/edb/database.cpp viewer/edb/edb_format.cpp
        viewer/edb/error_texts.cpp viewer/edb/file_access.cpp viewer/edb/sha256.cpp
        viewer/edb/file_seek_posix.cpp viewer/edb/full_path_posix.cpp
        common/gbk_text.cpp tests/shared/edb_writer.cpp)
flags=(-std=c++17 -g -O1 -I. -Wall -Wextra)

clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  "${engine[@]}" tests/fuzz/edb_fuzz.cpp -o "$out/edb_fuzz"
clang++ "${flags[@]}" "${engine[@]}" tests/fuzz/edb_seeds.cpp -o "$out/edb_seeds"
"$out/edb_seeds" "$out/seeds"

# Scratch files of each run go to memory where there is some.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

if compgen -G "tests/fuzz/regressions/*" >/dev/null; then
  "$out/edb_fuzz" -runs=0 tests/fuzz/regressions/*
fi

limit=(-max_total_time="${EDB_FUZZ_SECONDS:-45}")
if [ -n "${EDB_FUZZ_RUNS:-}" ]; then limit=(-runs="$EDB_FUZZ_RUNS"); fi
"$out/edb_fuzz" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$out/findings/" "$out/corpus" "$out/seeds"

#!/usr/bin/env bash
# Builds the loader's libFuzzer target with clang in build-fuzz/ and runs it for the given
# number of seconds (default 60), starting from a few databases the core's writer makes.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVELMOR_FUZZ=ON -DVELMOR_SANITIZE=ON -DVELMOR_GUI=OFF -DVELMOR_BENCH=OFF -DBUILD_TESTING=OFF \
    >/dev/null
cmake --build build-fuzz --target load_database_fuzzer
corpus=build-fuzz/corpus
mkdir -p "$corpus"
printf '\0\0\0\0' >"$corpus/empty.kdb"
# A small synthetic database as a seed, written by the fuzzer's own build of the core.
if [ ! -s "$corpus/three.kdb" ]; then
    printf '\3\0\0\0' >"$corpus/three.kdb"
    for i in 1 2 3; do
        printf '\1\0\0\0\2\0\0\0\4name\7English\0\x097732-18-5\0\x19H<sub>2</sub>O<sub></sub>' >>"$corpus/three.kdb"
        printf '\0%.0s' $(seq 1 17) >>"$corpus/three.kdb"
    done
fi
ASAN_OPTIONS=detect_leaks=1 build-fuzz/fuzz/load_database_fuzzer -max_total_time="$seconds" \
    -max_len=65536 -print_final_stats=1 "$corpus"

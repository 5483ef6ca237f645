#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for the given number of
# seconds (default 60): the loader on bytes in memory, the loader on a real file followed by
# sparse zeros, and velmor-kdb build's CSV import with its round trip through the loader. Each
# starts from a few small inputs made here.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVELMOR_FUZZ=ON -DVELMOR_SANITIZE=ON -DVELMOR_GUI=OFF -DVELMOR_BENCH=OFF -DBUILD_TESTING=OFF \
    >/dev/null
cmake --build build-fuzz --target load_database_fuzzer load_file_fuzzer csv_import_fuzzer

corpus=build-fuzz/corpus
mkdir -p "$corpus/kdb" "$corpus/file" "$corpus/csv"
printf '\0\0\0\0' >"$corpus/kdb/empty.kdb"
if [ ! -s "$corpus/kdb/three.kdb" ]; then
    printf '\3\0\0\0' >"$corpus/kdb/three.kdb"
    for i in 1 2 3; do
        printf '\1\0\0\0\2\0\0\0\4name\7English\0\x097732-18-5\0\x19H<sub>2</sub>O<sub></sub>' >>"$corpus/kdb/three.kdb"
        printf '\0%.0s' $(seq 1 17) >>"$corpus/kdb/three.kdb"
    done
fi
# The same databases behind eight bytes that choose the trailing zeros (here 4 KiB).
for seed in empty three; do
    { printf '\0\020\0\0\0\0\0\0'; cat "$corpus/kdb/$seed.kdb"; } >"$corpus/file/$seed"
done
head -c 4000 data/reagents.csv >"$corpus/csv/sample.csv"
printf 'ChineseName,Formula,LeadInt1\r\n"a,b",H<sub>2</sub>O,-3\r\n\r\nc,"x""y",7\n' >"$corpus/csv/quoted.csv"

# Crash and slow inputs go to build-fuzz/artifacts/, not into the working tree.
mkdir -p build-fuzz/artifacts
run() {
    ASAN_OPTIONS=detect_leaks=1 "build-fuzz/fuzz/$1" -max_total_time="$seconds" -max_len=65536 \
        -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1 "$2"
}
run load_database_fuzzer "$corpus/kdb"
run load_file_fuzzer "$corpus/file"
run csv_import_fuzzer "$corpus/csv"

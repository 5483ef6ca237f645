#!/usr/bin/env bash
# Configures and builds the program, the tool, the tests, the benchmarks and the sample database
# in build/, whatever an earlier configuration of build/ chose. Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMOR_GUI=ON -DVELMOR_BENCH=ON \
    -DVELMOR_SANITIZE=OFF -DVELMOR_FUZZ=OFF "$@" >/dev/null
cmake --build build

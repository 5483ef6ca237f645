#!/usr/bin/env bash
# Times velmor-kdb on a synthetic database of 50,000 records with hyperfine
# (scripts/install-deps.sh installs it): each search kind against `info`, which only loads the
# file, and `build` of the same 50,000 records from CSV made by `dump --format csv`.
#
#     tools/measure-performance.sh [path/to/velmor-kdb]
set -euo pipefail
tool=$(realpath "${1:-build/tools/velmor-kdb}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$tool" synth --count 50000 -o synth.kdb 2>/dev/null
"$tool" dump synth.kdb --format csv >synth.csv

hyperfine -N --warmup 3 --runs 30 --export-markdown load-and-search.md \
    "$tool info synth.kdb" \
    "$tool search synth.kdb chinese 氯化钠" \
    "$tool search synth.kdb english Pyridine" \
    "$tool search synth.kdb cas 7732" \
    "$tool search synth.kdb formula H2O" \
    "$tool search synth.kdb use 催化剂"
hyperfine -N --warmup 1 --runs 10 --export-markdown build.md \
    "$tool build synth.csv -o built.kdb" \
    "$tool dump synth.kdb --format csv" \
    "$tool synth --count 50000 -o made.kdb"
cat load-and-search.md build.md

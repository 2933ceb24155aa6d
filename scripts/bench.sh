#!/usr/bin/env bash
# Builds and runs every benchmark in bench/ (Release); prints their figures.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTMS_TESTS=OFF -DTMS_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)"
shopt -s nullglob
for exe in build-bench/bench/*; do
    echo "== $(basename "$exe")"
    "$exe"
done

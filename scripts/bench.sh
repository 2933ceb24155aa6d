#!/usr/bin/env bash
# Builds and runs every benchmark in bench/ (Release); prints their figures.
set -euo pipefail
cd "$(dirname "$0")/.."
# The window's benchmark needs a display.
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTMS_TESTS=OFF -DTMS_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)"
shopt -s nullglob
for exe in build-bench/bench/*; do
    echo "== $(basename "$exe")"
    "$exe"
done

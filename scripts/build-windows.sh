#!/usr/bin/env bash
# Cross-builds the programs for 64-bit Windows into build-win/bin/*.exe.
# With --test it also builds the tests in build-w-test and runs them under
# Wine (in Xvfb, as Wine may open windows).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DTMS_TESTS=OFF >/dev/null
cmake --build build-win -j"$jobs"
ls build-win/bin/*.exe

if [ "${1:-}" = "--test" ]; then
    cmake -S . -B build-w-test -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build-w-test -j"$jobs"
    source scripts/wine-env.sh  # makes the prefix once, before the tests share it
    (cd build-w-test && xvfb-run -a ctest --output-on-failure -j"$jobs")
    wineserver -k || true
    echo "All Windows tests passed under Wine."
fi

#!/usr/bin/env bash
# Cross-builds the programs for 64-bit Windows into build-win/bin/*.exe.
# With --test the same build also makes the tests and runs them under Wine
# (in Xvfb, as Wine may open windows).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
tests=OFF
[ "${1:-}" = "--test" ] && tests=ON
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DTMS_TESTS=$tests >/dev/null
cmake --build build-win -j"$jobs"
ls build-win/bin/*.exe

if [ "$tests" = ON ]; then
    source scripts/wine-env.sh  # makes the prefix once, before the tests share it
    (cd build-win && xvfb-run -a ctest --output-on-failure -j"$jobs")
    wineserver -k || true
    echo "All Windows tests passed under Wine."
fi

#!/usr/bin/env bash
# Builds and runs every test: once plain, once under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-test -j"$jobs"
(cd build-test && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j"$jobs")

cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTMS_SANITIZE=ON >/dev/null
cmake --build build-san -j"$jobs"
(cd build-san && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j"$jobs")
echo "All tests passed (plain and sanitized)."

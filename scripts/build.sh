#!/usr/bin/env bash
# Builds the programs into build/bin (Release). Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTMS_TESTS=OFF "$@" >/dev/null
cmake --build build -j"$(nproc)"

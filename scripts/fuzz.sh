#!/usr/bin/env bash
# Builds every libFuzzer target with clang (ASan and UBSan on) and runs each
# for the given number of seconds (default 60). Seeds come from
# <program>/tests/fuzz_corpus/<target>/ when present.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export ASAN_OPTIONS=detect_leaks=1
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTMS_FUZZ=ON -DTMS_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)"
shopt -s nullglob
targets=(build-fuzz/fuzz/*)
if [ ${#targets[@]} -eq 0 ]; then
    echo "No fuzz targets."
    exit 0
fi
for exe in "${targets[@]}"; do
    name=$(basename "$exe")
    corpus="build-fuzz/corpus/$name"
    mkdir -p "$corpus"
    seeds=()
    for d in */tests/fuzz_corpus/"$name"; do seeds+=("$d"); done
    echo "== $name for ${seconds}s"
    (cd build-fuzz && "../$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "corpus/$name" "${seeds[@]/#/../}" 2>&1 | tail -n 25)
    status=${PIPESTATUS[0]}
    if [ "$status" -ne 0 ]; then
        echo "Fuzz target $name failed."
        exit 1
    fi
done
echo "All fuzz targets ran clean."

#!/usr/bin/env bash
# Builds every libFuzzer target with clang (ASan and UBSan on) and runs each
# for the given number of seconds (default 60, as CI does), or only the named
# targets. A target fuzz_<program>_<what> is built from
# <folder>/tests/fuzz/fuzz_<program>_<what>.cpp (the folder a program's, or
# one of its library folders: buttonbar/engine) and starts from the seeds in
# <folder>/tests/fuzz_corpus/fuzz_<program>_<what>/, with the dictionary
# <folder>/tests/fuzz/fuzz_<program>_<what>.dict and the libFuzzer flags of
# <folder>/tests/fuzz/fuzz_<program>_<what>.options (one a line) when there
# are.
#
# A run longer than 60 seconds is a campaign: afterwards the seeds and what
# the run found are merged (-merge=1) into a minimal set that replaces the
# seed folder, files above 16 KB left out. Commit the changed seed folders, so
# that every later run starts from that coverage.
#
#   scripts/fuzz.sh                  every target for 60 seconds
#   scripts/fuzz.sh 1800             a campaign of 30 minutes per target
#   scripts/fuzz.sh 360 fuzz_dok_ini one target
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
wanted=("$@")
max_seed_bytes=16384
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# A 32 MB quarantine still holds many inputs' worth of freed memory for
# use-after-free reports; the default 256 MB makes nearly every allocation
# touch fresh pages, which costs a quarter of the run time.
export ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=32
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTMS_FUZZ=ON -DTMS_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzzers

shopt -s nullglob
sources=(*/tests/fuzz/fuzz_*.cpp */*/tests/fuzz/fuzz_*.cpp)
if [ ${#wanted[@]} -gt 0 ]; then
    chosen=()
    for src in "${sources[@]}"; do
        for w in "${wanted[@]}"; do [ "$(basename "$src" .cpp)" = "$w" ] && chosen+=("$src"); done
    done
    if [ ${#chosen[@]} -ne ${#wanted[@]} ]; then
        echo "Unknown fuzz target among: ${wanted[*]}" >&2
        exit 1
    fi
    sources=("${chosen[@]}")
fi
if [ ${#sources[@]} -eq 0 ]; then
    echo "No fuzz targets."
    exit 0
fi

summary=()
for src in "${sources[@]}"; do
    name=$(basename "$src" .cpp)
    folder=${src%/tests/fuzz/*}
    exe=$PWD/build-fuzz/fuzz/$name
    seeds=$PWD/$folder/tests/fuzz_corpus/$name
    dict=$PWD/$folder/tests/fuzz/$name.dict
    flags=$folder/tests/fuzz/$name.options
    corpus=build-fuzz/corpus/$name
    if [ ! -x "$exe" ]; then
        echo "Fuzz target $name is not built: is it registered with tms_add_fuzzer?" >&2
        exit 1
    fi
    mkdir -p "$corpus" "$seeds"
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1)
    [ -f "$dict" ] && options+=(-dict="$dict")
    if [ -f "$flags" ]; then
        while read -r flag; do [ -n "$flag" ] && options+=("$flag"); done <"$flags"
    fi
    echo "== $name for ${seconds}s"
    log=build-fuzz/$name.log
    set +e
    (cd build-fuzz && "$exe" "${options[@]}" "corpus/$name" "$seeds" >"$name.log" 2>&1)
    status=$?
    set -e
    tail -n 25 "$log"
    if [ "$status" -ne 0 ]; then
        echo "Fuzz target $name failed."
        exit 1
    fi
    summary+=("$(printf '%-22s %8s inputs/s' "$name" \
        "$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")")")

    if [ "$seconds" -gt 60 ]; then
        merged=$(mktemp -d build-fuzz/merge-XXXXXX)
        "$exe" -merge=1 "$merged" "$seeds" "$corpus" >"build-fuzz/$name.merge.log" 2>&1
        find "$merged" -type f -size +"$max_seed_bytes"c -delete
        chmod 755 "$merged"
        rm -rf "$seeds"
        mv "$merged" "$seeds"
        echo "Seeds of $name: $(find "$seeds" -type f | wc -l) files."
    fi
done
printf '%s\n' "${summary[@]}"
echo "All fuzz targets ran clean."

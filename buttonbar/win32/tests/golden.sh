#!/usr/bin/env bash
# Runs every golden case of dok against dok.exe's window under Wine, driven
# by DOK_EVENTS, and compares the transcript, the exit code and the files.
#   golden.sh <dok.exe> [case...]
# The transcript expected is this folder's golden/<case>/stdout where Windows'
# controls notify otherwise than the headless window, else the case's own.
# Needs a display (run under xvfb-run). The cases that start Linux programs
# or read the clock are left out, as in the headless run under Wine.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
cases_dir="$root/buttonbar/engine/tests/golden"
exe="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
shift
source "$root/scripts/wine-env.sh"
source "$here/wine_setup.sh"
cases=("$@")
if [ ${#cases[@]} -eq 0 ]; then
    for dir in "$cases_dir"/*/; do cases+=("$(basename "$dir")"); done
fi

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
passed=0 failed=0 skipped=0
for name in "${cases[@]}"; do
    case "$name" in processes | values) skipped=$((skipped + 1)); continue ;; esac
    dir="$cases_dir/$name"
    work="$scratch/$name"
    mkdir -p "$work"
    find "$dir" -mindepth 1 -maxdepth 1 ! -name expected -exec cp -r {} "$work/" \;
    cp "$exe" "$work/dok.exe"
    cp "$(dirname "$exe")"/dok_*.def "$work/"
    [ -f "$work/events" ] || : > "$work/events"
    args=(dok.ini)
    [ -f "$dir/args" ] && read -r -a args < "$dir/args"
    (cd "$work" && DOK_EVENTS=events timeout 120 wine dok.exe "${args[@]}" > "$scratch/$name.stdout" 2> "$scratch/$name.stderr"
     echo $? > "$scratch/$name.exit")
    expected="$dir/expected/stdout"
    [ -f "$here/golden/$name/stdout" ] && expected="$here/golden/$name/stdout"
    ok=1
    if ! cmp -s "$scratch/$name.stdout" "$expected"; then
        echo "  transcript differs from ${expected#$root/}:"
        diff "$expected" "$scratch/$name.stdout" | head -20 | sed 's/^/    /'
        ok=0
    fi
    cmp -s "$scratch/$name.exit" "$dir/expected/exit_code" || { echo "  exit code $(cat "$scratch/$name.exit")"; ok=0; }
    if [ -d "$dir/expected/files" ]; then
        # Settings files are laid out by the system's profile functions.
        while IFS= read -r f; do
            cmp -s "$work/$f" "$dir/expected/files/$f" || { echo "  differs: $f"; ok=0; }
        done < <(cd "$dir/expected/files" && find . -type f ! -iname '*.ini')
    fi
    if [ -f "$dir/absent" ]; then
        while IFS= read -r f; do
            [ -n "$f" ] && [ -e "$work/$f" ] && { echo "  should not exist: $f"; ok=0; }
        done < "$dir/absent"
    fi
    if [ "$ok" = 1 ]; then
        passed=$((passed + 1))
    else
        echo "FAIL dok window $name"
        failed=$((failed + 1))
    fi
done
echo "dok.exe's window under Wine: $passed passed, $failed failed, $skipped skipped"
[ "$failed" = 0 ]

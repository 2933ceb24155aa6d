#!/usr/bin/env bash
# Runs every golden case of one program against its Windows executable under
# Wine and compares the bytes with the expected files of the Linux build.
#   wine-golden.sh tarn|fell|morfex|dok|scree <program.exe>
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
program="$1"
exe="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
source "$here/wine-env.sh"
passed=0
failed=0
skipped=0

# Runs the program in the current folder, without a terminal (the console
# device is then standard error); arguments one per line in $1.
run() {
    local args_file="$1" input="$2" strip_cr="$3"
    local -a args=()
    if [ -f "$args_file" ]; then
        mapfile -t args < "$args_file"
        if [ "$strip_cr" = 1 ]; then args=("${args[@]%$'\r'}"); fi
    fi
    setsid -w wine "$exe" "${args[@]}" < "$input" > "$work.stdout" 2> "$work.stderr"
    echo $? > "$work.exit"
}

# Compares file $1 with the expected file $2.
same() {
    if ! cmp -s "$1" "$2"; then
        echo "  differs: ${2#$root/}"
        ok=0
    fi
}

# Every file of folder $1 must be in $2 with the same bytes, and no other.
same_tree() {
    local a b
    a=$(cd "$1" && find . -type f | sort)
    b=$(cd "$2" 2>/dev/null && find . -type f | sort)
    if [ "$a" != "$b" ]; then
        echo "  files differ: $(echo $a) / expected $(echo $b)"
        ok=0
    fi
    for f in $b; do [ -f "$1/$f" ] && same "$1/$f" "$2/$f"; done
}

tarn_case() {
    local dir="$1"
    find "$dir" -mindepth 1 -maxdepth 1 ! -name expected ! -name args -exec cp -r {} "$work/" \;
    cp "$exe" "$work/tarn.exe"  # tarn.ini of the case lies beside it
    exe_here="$work/tarn.exe"
    (cd "$work" && exe="$exe_here" run "$dir/args" /dev/null 1)
    # The Linux run names tarn.ini without its folder.
    local folder pattern
    folder="Z:$(printf '%s' "$work" | tr / '\\')\\"
    pattern="${folder//\\/\\\\}"
    sed -i "s|$pattern||g" "$work.stdout"
    same "$work.stdout" "$dir/expected/console.txt"
    same "$work.exit" "$dir/expected/exit_code"
    for f in "$dir"/expected/*; do
        case "$(basename "$f")" in console.txt | exit_code | memory.txt) continue ;; esac
        same "$work/$(basename "$f")" "$f"
    done
}

fell_case() {
    local dir="$1" input=/dev/null links=()
    find "$dir" -mindepth 1 -maxdepth 1 ! -name expected ! -name cmd ! -name stdin -exec cp -r {} "$work/" \;
    [ -f "$dir/stdin" ] && input="$dir/stdin"
    # Drive C: is the case folder, as in the Linux run: its entries are
    # linked into the prefix's drive C: for the run.
    if grep -qi 'C:\\' "$dir/cmd" "$dir"/*.lnk 2>/dev/null; then
        for e in "$work"/*; do
            local link="$WINEPREFIX/drive_c/$(basename "$e")"
            [ -e "$link" ] || { ln -s "$e" "$link"; links+=("$link"); }
        done
    fi
    local before="$work.before"
    (cd "$work" && find . -type f -exec md5sum {} + | sort > "$before")
    (cd "$work" && run "$dir/cmd" "$input" 1)
    for l in "${links[@]}"; do rm -f "$l"; done
    same "$work.stdout" "$dir/expected/console.txt"
    same "$work.exit" "$dir/expected/exit_code"
    [ -s "$work.stderr" ] && { echo "  standard error: $(head -c 200 "$work.stderr")"; ok=0; }
    local changed="$work.changed"
    mkdir -p "$changed"
    (cd "$work" && find . -type f -exec md5sum {} + | sort) | comm -13 "$before" - | while read -r _ f; do
        mkdir -p "$changed/$(dirname "$f")" && cp "$work/$f" "$changed/$f"
    done
    cp "$work.stdout" "$changed/console.txt"
    cp "$work.exit" "$changed/exit_code"
    same_tree "$changed" "$dir/expected"
}

morfex_case() {
    local dir="$1"
    [ -d "$dir/in" ] && cp -r "$dir/in/." "$work/"
    (cd "$work" && run "$dir/args" /dev/null 0)
    same "$work.stdout" "$dir/stdout"
    same "$work.stderr" "$dir/console"
    same "$work.exit" "$dir/exit"
    same_tree "$work" "$dir/out"
}

# scree's cases are built first with the tarn.exe and fell.exe beside it:
# every .a99 assembled with -R, then every .lnk linked, in name order.
scree_case() {
    local dir="$1" bin f
    bin="$(dirname "$exe")"
    find "$dir" -mindepth 1 -maxdepth 1 ! -name expected ! -name args -exec cp -r {} "$work/" \;
    (
        cd "$work"
        for f in *.a99; do
            [ -e "$f" ] || continue
            setsid -w wine "$bin/tarn.exe" "-I$f" -R </dev/null >/dev/null 2>&1 || echo "  tarn.exe failed on $f"
        done
        for f in *.lnk; do
            [ -e "$f" ] || continue
            setsid -w wine "$bin/fell.exe" "-L$f" </dev/null >/dev/null 2>&1 || echo "  fell.exe failed on $f"
        done
    )
    local before="$work.before"
    (cd "$work" && find . -type f -exec md5sum {} + | sort > "$before")
    (cd "$work" && run "$dir/args" /dev/null 1)
    local changed="$work.changed"
    mkdir -p "$changed"
    (cd "$work" && find . -type f -exec md5sum {} + | sort) | comm -13 "$before" - | while read -r _ f; do
        mkdir -p "$changed/$(dirname "$f")" && cp "$work/$f" "$changed/$f"
    done
    cp "$work.stdout" "$changed/stdout"
    cp "$work.stderr" "$changed/stderr"
    cp "$work.exit" "$changed/exit_code"
    same_tree "$changed" "$dir/expected"
}

# dok runs headless on the events of the case; the cases that start Linux
# programs or read the clock (which the in-process run sets) are left out.
dok_case() {
    local dir="$1" input=/dev/null args=(dok.ini)
    case "$(basename "$dir")" in processes | values) skip=1; return ;; esac
    find "$dir" -mindepth 1 -maxdepth 1 ! -name expected -exec cp -r {} "$work/" \;
    [ -f "$dir/events" ] && input="$dir/events"
    [ -f "$dir/args" ] && read -r -a args < "$dir/args"
    (cd "$work" && DOK_UI=headless setsid -w wine "$exe" "${args[@]}" < "$input" > "$work.stdout" 2> "$work.stderr"
     echo $? > "$work.exit")
    same "$work.stdout" "$dir/expected/stdout"
    same "$work.exit" "$dir/expected/exit_code"
    if [ -d "$dir/expected/files" ]; then
        # Settings files are laid out by the system's profile functions.
        for f in $(cd "$dir/expected/files" && find . -type f ! -iname '*.ini'); do
            same "$work/$f" "$dir/expected/files/$f"
        done
    fi
}

case "$program" in
    tarn) cases="$root/assembler/tests/golden" ;;
    dok) cases="$root/buttonbar/engine/tests/golden" ;;
    fell) cases="$root/linker/tests/golden" ;;
    morfex) cases="$root/findreplace/tests/cases" ;;
    scree) cases="$root/machine/tests/golden" ;;
    *) echo "unknown program $program" >&2; exit 2 ;;
esac

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
for dir in "$cases"/*/; do
    dir="${dir%/}"
    name="$(basename "$dir")"
    work="$scratch/$name"
    mkdir -p "$work"
    ok=1
    skip=0
    "${program}_case" "$dir"
    if [ "$skip" = 1 ]; then
        skipped=$((skipped + 1))
    elif [ "$ok" = 1 ]; then
        passed=$((passed + 1))
    else
        echo "FAIL $program $name"
        failed=$((failed + 1))
    fi
done
echo "$program.exe under Wine: $passed passed, $failed failed, $skipped skipped"
[ "$failed" = 0 ]

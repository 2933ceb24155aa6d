#!/usr/bin/env bash
# Writes the same shortcuts through the shell's link object and through our
# own writer under Wine (write_both_links.exe), reads both back with lnkinfo
# and compares what each says: each implementation checks the other.
#   compare_links.sh <write_both_links.exe>
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/wine-env.sh"
folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
if ! wine "$1" "Z:$(printf '%s' "$folder" | tr / '\\')" 2>/dev/null; then
    echo "write_both_links failed"
    exit 1
fi

# The fields both writers set, one "key: value" a line, and the show command
# (lnkinfo misreports it, so it is read from the header).
fields() {
    lnkinfo "$1" | sed -n 's/^\t\(Local path\|Command line arguments\|Working directory\|Description\|Icon location\|Icon index\)[\t ]*: /\1: /p' | sort
    echo "Show command: $(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')"
}

passed=0
failed=0
for system in "$folder"/*-system.lnk; do
    name="$(basename "$system" -system.lnk)"
    own="$folder/$name-own.lnk"
    a="$(fields "$system")" b="$(fields "$own")"
    if [ -n "$a" ] && [ "$a" = "$b" ] && lnkinfo "$system" >/dev/null && lnkinfo "$own" >/dev/null; then
        passed=$((passed + 1))
    else
        echo "FAIL $name"
        diff <(echo "$a") <(echo "$b") | sed 's/^/  /'
        failed=$((failed + 1))
    fi
done
echo "shell link object and own writer: $passed passed, $failed failed"
[ "$passed" -gt 0 ] && [ "$failed" = 0 ]

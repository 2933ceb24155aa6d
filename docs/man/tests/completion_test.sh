#!/usr/bin/env bash
# completion_test.sh <folder of the made completions>: every completion
# registers itself for its program, and the options and their values of
# tarn, fell, scree, morfex, pinmaker and dok complete as their manual pages say.
set -uo pipefail
export LC_ALL=C
completions=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" && mkdir sub && touch hello.a99 hello.lnk
failed=0

compopt() { :; }  # only works inside a real completion

# complete_words <program> <word...>: the sorted completions of the last word.
complete_words() {
    local program=$1
    shift
    COMP_WORDS=("$program" "$@")
    COMP_CWORD=$#
    "_${program}_complete"
    ((${#COMPREPLY[@]} == 0)) || printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}

expect() {
    local want=$1
    shift
    local got
    got=$(complete_words "$@")
    if [ "$got" != "$want" ]; then
        echo "completion of '$*': got '$got', want '$want'" >&2
        failed=1
    fi
}

for file in "$completions"/*; do
    program=$(basename "$file")
    source "$file"
    complete -p "$program" 2>/dev/null | grep -q "_${program}_complete" ||
        { echo "$file does not register a completion for $program" >&2; failed=1; }
done

expect "-C -I -L -O -R -S -V -s " tarn -
expect "-Ihello.a99 -Ihello.lnk -Isub/ " tarn -I
expect "-Lhello.a99 " tarn -Lhello.a
expect "hello.a99 hello.lnk " tarn -R hel
expect "-E -L -M " fell -
expect "-Lhello.lnk " fell -Lhello.l
expect "hello.a99 " morfex -q -i hello.a
expect "" morfex -i hello.a99 -f hel
expect "-Wsub/ " pinmaker -W
expect "" pinmaker -N
expect "-Q " pinmaker -Q
expect "hello.a99 hello.lnk " dok hel
expect "--disassemble --disk --dump " scree --d
expect "hello.a99 hello.lnk " scree --trace hel
expect "" scree --frames 6
exit $failed

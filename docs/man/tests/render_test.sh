#!/usr/bin/env bash
# render_test.sh <folder of the made pages> <program...>: each program's page
# renders without a warning from groff or man, uses only the requests that
# scdoc writes (a source line that starts with a dot would add one), and has
# the NAME line that man -k and lintian read.
set -uo pipefail
dir=$1
shift
failed=0
fail() {
    echo "$page: $*" >&2
    failed=1
}
for program in "$@"; do
    page=$dir/$program.1
    [ -f "$page" ] || { fail "missing"; continue; }
    warnings=$(groff -ww -z -man "$page" 2>&1)
    [ -z "$warnings" ] || fail "groff: $warnings"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man: $warnings"
    requests=$(grep -E "^[.']" "$page" | grep -vE '^\.(\\"|\\[&}]|TH|SH|SS|P|IP|RS|RE|nf|fi|ie|el|ds|nh|ad|TS|TE|br|sp|PD)( |$)')
    [ -z "$requests" ] || fail "unexpected requests (a line that starts with a dot?): $requests"
    grep -qA2 '^\.SH NAME' "$page" && sed -n '/^\.SH NAME/,/^\.SH/p' "$page" | grep -q "^$program - " ||
        fail "no NAME line '$program - ...'"
done
exit $failed

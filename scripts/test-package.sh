#!/usr/bin/env bash
# Tests the packages in dist/ (scripts/package.sh). The Debian package is
# installed, and tarn, fell and morfex run from the installed paths on
# examples/: their files, console texts and exit codes must equal those of
# the Linux build's own programs (build-pkg/bin) and, under Wine, of the
# programs in the Windows zip. dok must find its language modules where it
# was installed. Then the package is removed again.
# As root, on a machine where neither the package nor the programs are
# installed, it goes into the real root with dpkg -i (which checks the
# dependencies) and out with dpkg -r; otherwise, or with --scratch, dpkg -x
# unpacks it into a scratch root.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
package=tms9900-toolchain
programs=(tarn fell scree dok morfex pinmaker)
deb=$(ls dist/${package}_*.deb)
zip=$(ls dist/${package}-*-win64.zip)
scratch=$(mktemp -d)
installed=0
cleanup() {
    if [ "$installed" = 1 ]; then dpkg -r "$package" >/dev/null; fi
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "package test: $*" >&2
    exit 1
}

contents=$(dpkg-deb -c "$deb")
for f in "${programs[@]}" dok_nl.def dok_en.def; do
    grep -q " \./usr/bin/$f\$" <<<"$contents" || fail "$deb has no /usr/bin/$f"
done
grep -q 'libwxgtk' <<<"$(dpkg-deb -f "$deb" Depends)" || fail "$deb does not depend on dok's libraries"

real_root=0
if [ "${1:-}" != --scratch ] && [ "$(id -u)" = 0 ] && ! dpkg -s "$package" >/dev/null 2>&1; then
    real_root=1
    for p in "${programs[@]}"; do [ -e "/usr/bin/$p" ] && real_root=0; done
fi
if [ "$real_root" = 1 ]; then
    installed=1
    dpkg -i "$deb" >/dev/null
    bin=/usr/bin
else
    dpkg -x "$deb" "$scratch/root"
    bin="$scratch/root/usr/bin"
fi

# Assembles, links and edits the example in folder $1 with the programs of
# the command prefix $2 (a folder, or "wine <folder>"), named with suffix $3.
run_example() {
    local dir="$1" run="$2" ext="$3"
    mkdir -p "$dir"
    cp examples/hello.a99 examples/hello.lnk "$dir/"
    (
        cd "$dir"
        step() {
            local name="$1"
            shift
            set +e
            $run/$name$ext "$@" </dev/null >"$name.out" 2>&1
            echo $? >"$name.exit"
            set -e
        }
        step tarn -Ihello.a99 -L -R
        step fell -Lhello.lnk -Mhello.map -Ehello.err
        step scree --until-idle --screen HELLO
        cp hello.lst edited.lst
        step morfex -i edited.lst -f HELLO -r WORLD -q
    )
}

run_example "$scratch/installed" "$bin" ""
run_example "$scratch/built" "$root/build-pkg/bin" ""
for f in tarn fell scree morfex; do
    [ "$(cat "$scratch/installed/$f.exit")" = 0 ] || fail "installed $f failed: $(cat "$scratch/installed/$f.out")"
done
[ -s "$scratch/installed/HELLO" ] || fail "no program file from the installed fell"
diff -r "$scratch/built" "$scratch/installed" || fail "the installed programs differ from the build's"

if command -v wine >/dev/null; then
    cmake -E chdir "$scratch" cmake -E tar xf "$root/$zip"
    source scripts/wine-env.sh
    run_example "$scratch/windows" "wine $(ls -d "$scratch"/$package-*-win64)" .exe
    diff -r "$scratch/installed" "$scratch/windows" || fail "the Windows programs of the zip differ"
fi

# A missing INI file is reported in the text of the default language module.
message=$(cd "$scratch" && DOK_UI=headless "$bin/dok" missing.ini </dev/null 2>&1 || true)
grep -q "INI-bestand" <<<"$message" || fail "dok did not find its language module: $message"

if [ "$installed" = 1 ]; then
    installed=0
    dpkg -r "$package" >/dev/null
    for p in "${programs[@]}"; do [ ! -e "/usr/bin/$p" ] || fail "/usr/bin/$p is still there after removal"; done
fi
echo "Package test passed ($( [ "$real_root" = 1 ] && echo "installed with dpkg -i" || echo "unpacked with dpkg -x"))."

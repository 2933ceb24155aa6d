#!/usr/bin/env bash
# Tests the packages in dist/ (scripts/package.sh). lintian must find no error
# and no warning in the Debian package, which must hold programs only in
# /usr/bin, each with its manual page and bash completion. The package is
# installed; man finds every page, and tarn, fell and morfex run from the
# installed paths on examples/: their files, console texts and exit codes
# must equal those of the Linux build's own programs (build-pkg/bin) and,
# under Wine, of the programs in the Windows zip, which must also hold the
# licence, the README and the manual pages. The installed dok must find its
# language modules in the data folder and tarn its tarn.ini in the user's
# configuration folder. Then the package is removed and nothing of it may
# be left.
# As root, on a machine where neither the package nor the programs are
# installed, it goes into the real root with dpkg -i (which checks the
# dependencies) and out with dpkg -r; otherwise, or with --scratch, dpkg -x
# unpacks it into a scratch root.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
package=tms9900-toolchain
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

lintian --fail-on error,warning "$deb" || fail "lintian found errors or warnings in $deb"

contents=$(dpkg-deb -c "$deb")
mapfile -t programs < <(sed -n 's|.* \./usr/bin/\([^/]\{1,\}\)$|\1|p' <<<"$contents")
[ "${#programs[@]}" -ge 5 ] || fail "$deb has only these programs: ${programs[*]}"
for p in "${programs[@]}"; do
    for f in "usr/share/man/man1/$p.1.gz" "usr/share/bash-completion/completions/$p"; do
        grep -q " \./$f\$" <<<"$contents" || fail "$deb has no /$f"
    done
done
for f in tms9900-toolchain/dok_nl.def tms9900-toolchain/dok_en.def doc/$package/copyright \
    doc/$package/changelog.Debian.gz doc/$package/examples/hello.a99; do
    grep -q " \./usr/share/$f\$" <<<"$contents" || fail "$deb has no /usr/share/$f"
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
    prefix=/usr
else
    dpkg -x "$deb" "$scratch/root"
    prefix="$scratch/root/usr"
fi
bin="$prefix/bin"
for p in "${programs[@]}"; do
    page=$(MANPATH="$prefix/share/man" man -w "$p") || fail "man -w $p finds no page"
    [ "$page" = "$prefix/share/man/man1/$p.1.gz" ] || fail "man -w $p gives $page"
done

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
    windows=$(ls -d "$scratch"/$package-*-win64)
    for f in LICENSE README.md dok_nl.def dok_en.def tarn.ini "${programs[@]/%/.exe}" "${programs[@]/%/.txt}"; do
        [ -s "$windows/$f" ] || fail "$zip has no $f beside the programs"
    done
    source scripts/wine-env.sh
    run_example "$scratch/windows" "wine $windows" .exe
    diff -r "$scratch/installed" "$scratch/windows" || fail "the Windows programs of the zip differ"
fi

# dok finds its modules in the data folder: the default (Dutch) one for a
# missing INI file, and the English one that an INI file names.
mkdir "$scratch/bar"
message=$(cd "$scratch/bar" && DOK_UI=headless "$bin/dok" missing.ini </dev/null 2>&1 || true)
grep -q "INI-bestand" <<<"$message" || fail "dok did not find its default language module: $message"
printf '[config]\r\nlanguagemodule=dok_en.def\r\n[onload]\r\n#nosuchword\r\n' >"$scratch/bar/bar.ini"
message=$(cd "$scratch/bar" && DOK_UI=headless "$bin/dok" bar.ini </dev/null 2>&1 || true)
grep -q "Unknown word" <<<"$message" || fail "dok did not find the English language module: $message"

# tarn reads the tarn.ini of the user's configuration folder.
mkdir -p "$scratch/config"
printf '[CONFIG]\r\nEXTENSIONS=A99\r\n' >"$scratch/config/tarn.ini"
report=$(cd "$scratch/installed" && XDG_CONFIG_HOME="$scratch/config" "$bin/tarn" -Ihello.a99 -R -V </dev/null 2>&1 || true)
grep -qF "Config file   : $scratch/config/tarn.ini" <<<"$report" || fail "tarn did not read the user's tarn.ini: $report"
grep -qF "Extensions         : A99" <<<"$report" || fail "tarn did not take the user's settings: $report"

if [ "$installed" = 1 ]; then
    installed=0
    dpkg -r "$package" >/dev/null
    [ -z "$(dpkg -L "$package" 2>/dev/null)" ] || fail "dpkg -L still lists files of $package after removal"
    # Every file of the package is gone, and so are its own folders.
    while read -r path; do
        [ ! -e "/$path" ] || fail "/$path is still there after removal"
    done < <(sed -n 's|^-.* \./\(.*\)$|\1|p' <<<"$contents")
    for dir in /usr/share/tms9900-toolchain "/usr/share/doc/$package"; do
        [ ! -e "$dir" ] || fail "$dir is still there after removal"
    done
fi
echo "Package test passed ($( [ "$real_root" = 1 ] && echo "installed with dpkg -i" || echo "unpacked with dpkg -x"))."

#!/usr/bin/env bash
# Builds the tools, then assembles and links the bundled example in out/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
bin="$PWD/build/bin"
rm -rf out
cp -r examples out
cd out
"$bin/tarn" -Ihello.a99 -L -R
if [ -x "$bin/fell" ] && [ -f hello.lnk ]; then
    "$bin/fell" -Lhello.lnk -Mhello.map -Ehello.err
    "$bin/tarn" -Icartrom.a99 -R
    "$bin/fell" -Lhellocart.lnk   # the greeting as a cartridge: HELLOC.BIN
fi
echo
echo "Results in out/:"
ls -l

#!/usr/bin/env bash
# Makes the release packages in dist/:
#   tms9900-toolchain_<version>-1_<arch>.deb    the Linux programs (CPack): /usr/bin, their
#                                               data, manual pages and completions in /usr/share
#   tms9900-toolchain-<version>-win64.zip       the Windows programs, cross-built, with their
#                                               data, the licence, the README and the manual
#                                               pages as text beside them
# The version is the project's (CMakeLists.txt). The Linux programs build in
# build-pkg, the Windows ones in build-pkg-win unless --windows-build names a
# finished cross build to take them from (CI passes its build-win).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
linux_build=build-pkg
windows_build=build-pkg-win
while [ $# -gt 0 ]; do
    case "$1" in
        --windows-build) windows_build="$2"; shift 2 ;;
        *) echo "usage: package.sh [--windows-build <folder>]" >&2; exit 2 ;;
    esac
done
jobs=$(nproc)

# Configures a Release build in folder $1 (extra cmake arguments follow)
# unless it is configured already, then builds it.
build() {
    local dir="$1"
    shift
    [ -f "$dir/CMakeCache.txt" ] ||
        cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTMS_TESTS=OFF "$@" >/dev/null
    cmake --build "$dir" -j"$jobs"
}

build "$linux_build"
build "$windows_build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$linux_build/CMakeCache.txt")
[ -n "$version" ] || { echo "No project version in $linux_build." >&2; exit 1; }

mkdir -p dist
rm -f dist/*.deb dist/*-win64.zip

# Debian package: dependencies from the libraries the programs link.
(cd "$linux_build" && cpack -G DEB >/dev/null)
mv "$linux_build"/*.deb dist/

# Windows zip: the programs with their data beside them, an example tarn.ini
# that sets nothing until edited, the licence, the README, the manual pages
# (<program>.txt) and the examples.
name="tms9900-toolchain-$version-win64"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cmake --install "$windows_build" --prefix "$stage/install" --strip >/dev/null
mkdir "$stage/$name"
cp "$stage"/install/bin/* "$stage"/install/share/tms9900-toolchain/* "$stage/$name/"
cp -r "$stage"/install/share/doc/tms9900-toolchain/. "$stage/$name/"
mv "$stage/$name/examples/tarn.ini" "$stage/$name/tarn.ini"
# Every program with its manual page, and every manual page with its program.
for page in "$stage/$name"/*.txt; do
    [ -f "${page%.txt}.exe" ] || { echo "$(basename "${page%.txt}").exe is missing." >&2; exit 1; }
done
for exe in "$stage/$name"/*.exe; do
    [ -f "${exe%.exe}.txt" ] || { echo "$(basename "$exe") has no manual page." >&2; exit 1; }
done
(cd "$stage" && cmake -E tar cf "$root/dist/$name.zip" --format=zip "$name")

ls -l dist/

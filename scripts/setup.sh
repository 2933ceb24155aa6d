#!/usr/bin/env bash
# Installs what the build, the tests, the fuzzers, the examples, the window of
# dok, the Windows cross-build with its Wine test run and the benchmarks'
# comparisons (sd) and the release packages need (Debian 12): the manual
# pages are made with scdoc and checked with groff and man, the Debian
# package with lintian.
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends \
    build-essential cmake ninja-build pkg-config file \
    scdoc groff-base man-db lintian \
    libgtest-dev libgmock-dev googletest libbenchmark-dev \
    libstb-dev zlib1g-dev libz-mingw-w64-dev \
    clang libclang-rt-14-dev \
    liblnk-utils desktop-file-utils \
    sd \
    xvfb xauth \
    libwxgtk3.2-dev libgtk-3-dev libx11-dev libxtst-dev libsdl2-dev libasound2-dev \
    fonts-liberation2 imagemagick xdotool x11-utils \
    g++-mingw-w64-x86-64-posix wine64 wine

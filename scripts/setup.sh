#!/usr/bin/env bash
# Installs what the build, the tests, the fuzzers and the examples need (Debian 12).
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends \
    build-essential cmake ninja-build pkg-config \
    libgtest-dev libgmock-dev googletest libbenchmark-dev \
    clang libclang-rt-14-dev \
    liblnk-utils desktop-file-utils \
    xvfb xauth

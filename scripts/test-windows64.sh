#!/usr/bin/env bash
# The whole suite for 64-bit Windows under a 64-bit Wine prefix and wineserver of its own (the
# last stage of scripts/test.sh; also runs alone).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/packages.sh

prefix64="$PWD/build/windows64/wineprefix"
mkdir -p build/windows64
TKL_WINEARCH=win64 cmake/wine-server.sh start "$prefix64"
trap 'TKL_WINEARCH=win64 cmake/wine-server.sh stop "$prefix64"' EXIT

# TKL_HOST_TVX (set by scripts/test.sh): a native tvx to build the project files with.
cmake --preset windows64 ${TKL_HOST_TVX:+-DTKL_HOST_TVX="$TKL_HOST_TVX"}
cmake --build --preset windows64 -j "$(nproc)"
ctest --preset windows64 -j "$(nproc)" --repeat until-pass:2

#!/usr/bin/env bash
# Configures and builds one build directory.
#   scripts/build.sh [DIR] [extra cmake options...]
# DIR defaults to build/; programs land in DIR/bin. KELVANE_BUILD_TARGET, when
# set, builds only that target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build}
shift || true
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Let checkouts in different folders share the compiler cache.
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=true
cmake -S "$root" -B "$dir" -G Ninja "${launcher[@]}" "$@" --log-level=WARNING
cmake --build "$dir" --parallel "$(nproc)" ${KELVANE_BUILD_TARGET:+--target "$KELVANE_BUILD_TARGET"}

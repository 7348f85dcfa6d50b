#!/usr/bin/env bash
# Builds and runs the commander's benchmarks under Wine on a private display (about two
# minutes). Not part of the tests.
#   scripts/bench.sh [-d DIR]     DIR: an x86_64 build tree (default build/x86_64)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/x86_64"
if [ "${1:-}" = "-d" ]; then dir=$(realpath -m "$2"); shift 2; fi
[ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64.cmake" >/dev/null
cmake --build "$dir" --target commander_bench
. "$root/scripts/wine-session.sh"
wine_session_start "$dir/wineprefix"
cd "$dir/bin" && "$dir/wine-exec.sh" ./commander_bench.exe

#!/usr/bin/env bash
# Builds and runs the commander's benchmarks under Wine on a private display (about two
# minutes). Not part of the tests.
#   scripts/bench.sh [-d DIR] [flood]   DIR: an x86_64 build tree (default build/x86_64);
#                                       flood: only the flooding copiers' ticks
set -euo pipefail
. "$(dirname "$0")/x86_64-tree.sh"
cmake --build "$dir" --target commander_bench
. "$root/scripts/wine-session.sh"
wine_session_start "$dir/wineprefix"
cd "$dir/bin" && "$root/scripts/wine-exec.sh" ./commander_bench.exe "$@"

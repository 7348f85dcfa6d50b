#!/usr/bin/env bash
# Developer loop: builds the x86_64 tree in DIR (default build/x86_64) and runs the named
# test programs under Wine on a private display, passing any --gtest_* options on.
#   scripts/dev-test.sh [-d DIR] framework_tests [--gtest_filter=Dialog.*]
set -euo pipefail
. "$(dirname "$0")/x86_64-tree.sh"
programs=(); options=()
for a in "$@"; do case "$a" in --*) options+=("$a");; *) programs+=("$a");; esac; done
cmake --build "$dir" --target "${programs[@]}"
. "$root/scripts/wine-session.sh"
wine_session_start "$dir/wineprefix"
rc=0
for p in "${programs[@]}"; do
  (cd "$dir/bin" && "$root/scripts/wine-exec.sh" "./$p.exe" "${options[@]}") || rc=1
done
exit $rc

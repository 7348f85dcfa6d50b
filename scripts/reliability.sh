#!/usr/bin/env bash
# Runs the reliability checks in their long form under Wine on a private display and prints
# the measured figures at the end: 10,000 random argument lists through a real process
# start, soaks of both programs (1,000 tasks, 200 kills, 200 message windows and options
# sheets; 200 Personal edits with copies and resets) with their handle and GDI/USER
# object counts, two floods of 100 MB through the main window with its answer times and
# memory, and every malformed settings value on its own. Takes about half an hour; the
# test command runs the same checks in their short form.
#   scripts/reliability.sh [-d DIR] [--gtest_filter=...]   DIR: an x86_64 build tree (default build/x86_64)
# TARNWELL_SEED=N picks another seed for the random argument lists.
set -euo pipefail
. "$(dirname "$0")/x86_64-tree.sh"
programs=(reliability_commander_tests reliability_config_tests)
cmake --build "$dir" --target "${programs[@]}"
. "$root/scripts/wine-session.sh"
wine_session_start "$dir/wineprefix"
export TARNWELL_LONG=1
log=$(mktemp)
rc=0
for p in "${programs[@]}"; do
  (cd "$dir/bin" && "$root/scripts/wine-exec.sh" "./$p.exe" "$@") | tee -a "$log" || rc=1
done
echo
echo "Figures:"
grep -a '^figure: ' "$log" | sed 's/^figure: /  /' || true
rm -f "$log"
exit $rc

#!/usr/bin/env bash
# Runs every fuzz target long: SECONDS each (default 3600), or until RUNS executions if
# given and reached first, one after another, on the native sanitizer build. Findings land
# in build/native/findings; add each as a file to tests/native/corpus/TARGET once mended,
# so the test command replays it.
#   scripts/fuzz.sh [SECONDS] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-3600}
runs=${2:--1}
"$root/scripts/bootstrap.sh"
"$root/scripts/configure.sh" native
cmake --build "$root/build/native"
for t in "$root"/build/native/fuzz_*; do
  echo "== $(basename "$t")"
  "$root/scripts/fuzz-one.sh" "$t" "$root/tests/native/corpus/${t##*/fuzz_}" "$root/build/native/findings" "$seconds" "$runs"
done

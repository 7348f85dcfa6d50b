#!/usr/bin/env bash
# Release check of the shipped 32-bit build at run time: the i686 test programs that start
# few processes, and a start and close of both programs, run under the 32-bit emulation of
# ../shared/platform32/run32.sh (RUN32 overrides the path). Every emulated process start
# costs about a minute of CPU, so this takes 10-15 minutes and is not part of the test
# command. Prints one line per program: name, cases passed and failed, wall time; the
# programs' output is kept in build/i686/p32-logs. Exit status 0 when all passed.
#   scripts/test-i686.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
run32=${RUN32:-$root/../shared/platform32/run32.sh}
dir=$root/build/i686
bin=$dir/bin
logs=$dir/p32-logs

programs=(support_tests framework_tests config_editor_tests commander_tests commander_core_tests integration_tests)
# Cases left out, each for a reason of the emulation rather than of the programs:
# - a case that skips itself makes GoogleTest call OutputDebugStringA, which crashes an
#   emulated process that has started a second thread (the second-drive case, screenshots,
#   and the cases for the double-byte code pages, which run here on 1252);
# The integration program contributes only the start and close of both shipped programs.
declare -A filter=(
  [support_tests]='-ChangeDir.AGoneDirectoryRememberedForTheDriveDoesNotStopAFullPath:*Big5*:*ShiftJis*'
  [commander_core_tests]='-*Big5*:*ShiftJis*'
  [commander_tests]='-Screenshots.*'
  [config_editor_tests]='-Screenshots.*'
  [integration_tests]='Programs.EachOpensItsWindowAndEndsWithZeroWhenClosed'
)

if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686.cmake" >/dev/null
fi
cmake --build "$dir" --target "${programs[@]}" tarncmd tarncfg tarnget fake_tarncfg >/dev/null
mkdir -p "$logs"

# One lasting prefix and display for the whole series, kept alive by a hidden window, so
# Wine's own services and desktop start once and not once per program.
keeper=$dir/p32keep
mkdir -p "$keeper"
i686-w64-mingw32-g++ -O2 -static -mwindows -o "$keeper/p32keep.exe" "$(dirname "$run32")/payload/p32keep.cpp"
fdfile=$(mktemp)
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$fdfile" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
export P32_PREFIX=$dir/p32-prefix P32_DISPLAY=":$(head -n1 "$fdfile")" P32_TIMEOUT=1500
rm -f "$fdfile"
# The shipped programs show their window about a minute after their start here.
export TARNWELL_START_SECONDS=600
stop() {
  WINEPREFIX=$P32_PREFIX /usr/lib/wine/wineserver64 -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap stop EXIT
"$run32" --gui "$keeper" p32keep.exe >/dev/null 2>&1 &

# Runs one program and prints its line; a program that printed no summary at all (the
# prefix's services still starting on a first run) is run once more.
failures=0
run_one() {
  local name=$1 log=$logs/$1.log start end passed failed
  local args=(); [ -n "${filter[$name]:-}" ] && args=("--gtest_filter=${filter[$name]}")
  start=$(date +%s)
  for attempt in 1 2; do
    "$run32" --gui "$bin" "$name.exe" "${args[@]}" >"$log" 2>&1 || true
    grep -q '^\[==========\] .* ran\.' "$log" && break
  done
  end=$(date +%s)
  passed=$(grep -c '^\[       OK \]' "$log" || true)
  failed=$(grep -cE '^\[  FAILED  \] [^ ]+\.[^ ]+ \(' "$log" || true)
  if ! grep -q '^\[==========\] .* ran\.' "$log"; then
    failed=$((failed + 1))
    echo "$name: ended before its summary (see $log)" >&2
  fi
  [ "$failed" -eq 0 ] || failures=$((failures + 1))
  printf '%-22s %4d passed %4d failed %5d s\n' "$name" "$passed" "$failed" $((end - start))
}

for p in "${programs[@]}"; do run_one "$p"; done
exit $((failures > 0))

#!/usr/bin/env bash
# Runs one Windows program under Wine: CTest's emulator for the x86_64 tests (set by the
# x86_64 preset), and the developer scripts' way to start a test program. Without a
# WINEPREFIX the program's build tree gives it: PROGRAM lives in TREE/bin, the prefix is
# TREE/wineprefix. Wine's background processes inherit whatever output they are given and
# outlive the program, which would keep CTest waiting: they get a file, whose content is
# printed once the program itself has ended.
#   wine-exec.sh PROGRAM [ARGUMENTS...]
if [ -z "${WINEPREFIX:-}" ]; then
  WINEPREFIX="$(cd "$(dirname "$1")/.." && pwd)/wineprefix"
fi
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
out=$(mktemp)
wine "$@" </dev/null >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc

#!/usr/bin/env bash
# Runs every test: installs what is missing, builds both architectures, checks the shipped
# 32-bit programs, runs the window-free core natively under sanitizers (with short fuzzing),
# then runs the 64-bit test programs under Wine on a private X display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/bootstrap.sh"
"$root/scripts/build.sh"
ctest --test-dir "$root/build/i686" --output-on-failure
# The window-free core, natively under sanitizers, with a short fuzzing run.
"$root/scripts/configure.sh" native
cmake --build "$root/build/native"
ctest --test-dir "$root/build/native" --output-on-failure
. "$root/scripts/wine-session.sh"
wine_session_start "$root/build/x86_64/wineprefix"
ctest --test-dir "$root/build/x86_64" --output-on-failure "$@"

#!/usr/bin/env bash
# Configures a build tree from its preset in CMakePresets.json (i686, x86_64 or native)
# unless it already is: DIR, default build/PRESET. A tree made otherwise (by hand, or the
# native tree from its old source folder tests/native) is made afresh from the preset.
#   scripts/configure.sh PRESET [DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
preset=$1
dir=$(realpath -m "${2:-$root/build/$preset}")
cache="$dir/CMakeCache.txt"
if grep -qsx "CMAKE_HOME_DIRECTORY:INTERNAL=$root" "$cache" &&
   { [ "$preset" != x86_64 ] || grep -qs '^CMAKE_CROSSCOMPILING_EMULATOR' "$cache"; } &&
   [ -f "$dir/build.ninja" ]; then
  exit 0
fi
rm -rf "$cache" "$dir/CMakeFiles"
cd "$root" && cmake --preset "$preset" -B "$dir" >/dev/null

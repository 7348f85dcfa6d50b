#!/usr/bin/env bash
# Saves pictures of the commander's windows into docs/ as PNG: the main window with its
# task panel shown and folded, the About box and each options page. Builds the x86_64 tree
# in DIR (default build/x86_64) and runs the picture cases of commander_tests under Wine.
#   scripts/screenshots.sh [-d DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/x86_64"
if [ "${1:-}" = "-d" ]; then dir=$(realpath -m "$2"); shift 2; fi
rm -f "$dir"/bin/shot-*.bmp
TARNWELL_SCREENSHOTS=1 "$root/scripts/dev-test.sh" -d "$dir" commander_tests --gtest_filter='Screenshots.*'
mkdir -p "$root/docs"
for shot in "$dir"/bin/shot-*.bmp; do
  name=$(basename "$shot" .bmp)
  # -strip leaves out the time stamps, so an unchanged window gives an unchanged file.
  convert "$shot" -strip "$root/docs/${name#shot-}.png"
  echo "docs/${name#shot-}.png"
done

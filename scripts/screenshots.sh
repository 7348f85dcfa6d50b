#!/usr/bin/env bash
# Saves pictures of both programs' windows into docs/ as PNG, shown under Wine on a private
# display: the commander's main window (task panel shown and folded), About box and options
# pages; the editor's main window, About box and sheet pages.
#   scripts/screenshots.sh [-d BUILD_DIR]     (default build/x86_64)
set -euo pipefail
. "$(dirname "$0")/x86_64-tree.sh"
cmake --build "$dir" --target commander_tests config_editor_screens
. "$root/scripts/wine-session.sh"
wine_session_start "$dir/wineprefix"
shots=$(mktemp -d)
trap 'rm -rf "$shots"; wine_session_stop' EXIT
(cd "$shots" && TARNWELL_SCREENSHOTS=1 "$dir/wine-exec.sh" "$dir/bin/commander_tests.exe" \
   --gtest_filter='Screenshots.*' >/dev/null)
(cd "$shots" && "$dir/wine-exec.sh" "$dir/bin/config_editor_screens.exe" >/dev/null)
mkdir -p "$root/docs"
for shot in "$shots"/*.bmp; do
  name=$(basename "$shot" .bmp)
  case "$name" in shot-*) name="tarncmd-${name#shot-}";; esac
  # -strip leaves out time stamps, so an unchanged window gives an unchanged file.
  convert "$shot" -strip "$root/docs/$name.png"
  echo "docs/$name.png"
done

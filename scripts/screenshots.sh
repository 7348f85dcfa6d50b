#!/usr/bin/env bash
# Saves pictures of both programs' windows into docs/ as PNG, shown under Wine on a private
# display: the commander's main window (task panel shown and folded), the task list's context
# menu, About box and options pages; the editor's main window, About box and sheet pages.
#   scripts/screenshots.sh [-d BUILD_DIR]     (default build/x86_64)
set -euo pipefail
. "$(dirname "$0")/x86_64-tree.sh"
programs=(commander_tests config_editor_tests)
cmake --build "$dir" --target "${programs[@]}"
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
. "$root/scripts/wine-session.sh"
wine_session_start "$dir/wineprefix"
# Each program's tests save its windows as tarncmd-NAME.bmp or tarncfg-NAME.bmp.
for p in "${programs[@]}"; do
  (cd "$shots" && TARNWELL_SCREENSHOTS=1 "$root/scripts/wine-exec.sh" "$dir/bin/$p.exe" --gtest_filter='Screenshots.*' >/dev/null)
done
mkdir -p "$root/docs"
for shot in "$shots"/*.bmp; do
  name=$(basename "$shot" .bmp)
  # -strip leaves out time stamps, so an unchanged window gives an unchanged file.
  convert "$shot" -strip "$root/docs/$name.png"
  echo "docs/$name.png"
done

#!/usr/bin/env bash
# Saves pictures of both programs' windows into docs/ as PNG, shown under Wine on a private
# display: the commander's main window (task panel shown and folded), the task list's context
# menu, About box and options pages; the editor's main window, About box and sheet pages.
# With --dpi N the two main windows only, shown at N DPI, as
# docs/tarncmd-main_window-Ndpi.png and docs/tarncfg-main-Ndpi.png.
#   scripts/screenshots.sh [-d BUILD_DIR] [--dpi N]     (default build/x86_64)
set -euo pipefail
. "$(dirname "$0")/x86_64-tree.sh"
dpi=
if [ "${1:-}" = "--dpi" ]; then dpi=$2; shift 2; fi
programs=(commander_tests config_editor_tests)
cmake --build "$dir" --target "${programs[@]}"
. "$root/scripts/wine-session.sh"
wine_session_start "$dir/wineprefix"
shots=$(mktemp -d)
if [ -n "$dpi" ]; then
  # The prefix is the tests' too: it goes back to 96 DPI afterwards.
  trap 'rm -rf "$shots"; wine_session_dpi 96; wine_session_stop' EXIT
  wine_session_dpi "$dpi"
  filter='Screenshots.MainWindow*' suffix="-${dpi}dpi"
else
  trap 'rm -rf "$shots"; wine_session_stop' EXIT
  filter='Screenshots.*' suffix=
fi
# Each program's tests save its windows as tarncmd-NAME.bmp or tarncfg-NAME.bmp.
for p in "${programs[@]}"; do
  (cd "$shots" && TARNWELL_SCREENSHOTS=1 "$root/scripts/wine-exec.sh" "$dir/bin/$p.exe" --gtest_filter="$filter" >/dev/null)
done
mkdir -p "$root/docs"
for shot in "$shots"/*.bmp; do
  name=$(basename "$shot" .bmp)
  if [ -n "$dpi" ]; then
    case "$name" in tarncmd-main_window | tarncfg-main) name="$name$suffix";; *) continue;; esac
  fi
  # -strip leaves out time stamps, so an unchanged window gives an unchanged file.
  convert "$shot" -strip "$root/docs/$name.png"
  echo "docs/$name.png"
done

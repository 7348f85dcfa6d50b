#!/usr/bin/env bash
# Runs the commander (the x86_64 build, under Wine) with the stand-in copier beside it.
# With a display it simply opens. Without one it runs on a private X display, starts one
# demonstration task, and writes a screenshot of the screen to the file named by the
# first argument (default: tarncmd-screenshot.png), then ends.
# The demonstration task's copier is the stand-in from tools/tarnget, built beside the commander.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shot=$(realpath -m "${1:-tarncmd-screenshot.png}")
"$root/scripts/bootstrap.sh"
"$root/scripts/build.sh"
bin="$root/build/x86_64/bin"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX="$root/build/x86_64/wineprefix"
  cd "$bin" && exec wine ./tarncmd.exe
fi

. "$root/scripts/wine-session.sh"
wine_session_start "$root/build/x86_64/wineprefix"
cd "$bin"
wine ./tarncmd.exe </dev/null >/dev/null 2>&1 &
window=""
for _ in $(seq 100); do
  window=$(xdotool search --name '^Tarnwell Commander v1.0a$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "run: the commander's window did not appear" >&2; exit 1; }
# A demonstration task: a URL for the stand-in copier, then Enter (the default button, Go).
sleep 1
xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool type --delay 20 'ftp://example.invalid/pub/readme.txt'
xdotool key Return
# Let the copier talk for a while, then open the task's message window ("&State").
sleep 4
xdotool key alt+s
sleep 2
import -display "$DISPLAY" -window root "$shot"
echo "run: screenshot written to $shot"

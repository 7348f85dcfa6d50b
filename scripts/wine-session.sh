# Sourced: gives this shell a private X display and the build's own Wine prefix, with
# Wine's server kept alive for the whole session; both end when the shell exits, before
# whatever EXIT trap the caller had set runs. Fails with a message when Xvfb reports no
# display.
# Order matters: Xvfb first, since a prefix whose desktop process started without a
# display cannot show dialogs until its server is restarted.
wine_session_start() {
  local prefix=$1 shots=${2:-}
  local fdfile; fdfile=$(mktemp)
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$fdfile" >/dev/null 2>&1 &
  WINE_SESSION_XVFB=$!
  for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
  if [ ! -s "$fdfile" ]; then
    rm -f "$fdfile"
    kill "$WINE_SESSION_XVFB" 2>/dev/null || true
    echo "wine-session: Xvfb reported no display within 10 s" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1
  if [ ! -f "$WINEPREFIX/.tarnwell-ready" ]; then
    wine wineboot -i </dev/null >/dev/null 2>&1
    # Without a window manager Wine waits ~2 s each time a captioned window hides;
    # managing its own windows removes the wait and draws the captions.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
    touch "$WINEPREFIX/.tarnwell-ready"
  else
    wine wineboot </dev/null >/dev/null 2>&1
  fi
  # `trap -p` prints the caller's trap as a command that sets it again; its third word
  # is the caller's own command.
  eval "set -- $(trap -p EXIT)"
  trap "wine_session_stop; ${3:-}" EXIT
  trap 'exit 143' INT TERM
}
# Shows the session's windows at DPI $1 from now on: Wine reads the setting when its
# server starts, so the server of this prefix is restarted.
wine_session_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1
}
wine_session_stop() {
  wineserver -k 2>/dev/null || true
  kill "$WINE_SESSION_XVFB" 2>/dev/null || true
}

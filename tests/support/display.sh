# Sourced by the UI test scripts: a private X server and a private Wine
# prefix for one group of UI tests.
#
# start_display LOG: starts Xvfb on a display number the server picks and
#   locks itself (-displayfd), waits until it accepts clients, and exports
#   DISPLAY; XVFB_PID is its process.
# use_private_wine NAME: copies the build tree's prefix (WINEPREFIX) to
#   WINEPREFIX-NAME and exports that. Wine's desktop process belongs to a
#   prefix's wineserver and stays bound to the display it started on, so a
#   UI group that needs a fresh server gets a prefix (and server) of its own;
#   the server the other tests share is never stopped.
# stop_private_wine: ends the private prefix's wineserver and what it runs.
# stop_display: ends Xvfb.

start_display() {
  local log=$1 fifo number
  command -v Xvfb >/dev/null || { echo "Xvfb is missing" >&2; return 1; }
  fifo=$(mktemp -u)
  mkfifo "$fifo" || return 1
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >"$log" 2>&1 &
  XVFB_PID=$!
  # The number arrives once the server is ready for clients; nothing, if it
  # fails to start.
  if ! read -r -t 60 number <"$fifo" || [ -z "$number" ]; then
    rm -f "$fifo"
    echo "Xvfb did not start (see $log)" >&2
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=":$number"
}

stop_display() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}

use_private_wine() {
  local shared=${WINEPREFIX:?WINEPREFIX names the build tree prefix}
  PRIVATE_WINEPREFIX="$shared-$1"
  [ -f "$shared/system.reg" ] || { echo "no Wine prefix at $shared" >&2; return 1; }
  stop_private_wine
  rm -rf "$PRIVATE_WINEPREFIX"
  cp -a "$shared" "$PRIVATE_WINEPREFIX" || return 1
  export WINEPREFIX="$PRIVATE_WINEPREFIX"
}

stop_private_wine() {
  [ -n "${PRIVATE_WINEPREFIX:-}" ] || return 0
  WINEPREFIX="$PRIVATE_WINEPREFIX" /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1
  WINEPREFIX="$PRIVATE_WINEPREFIX" /usr/lib/wine/wineserver -w </dev/null >/dev/null 2>&1
  return 0
}

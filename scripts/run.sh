#!/bin/bash
# Runs the program. Without a reachable X display it starts a private virtual
# display (Xvfb) with a window manager and a notification-area tray, writes a
# screenshot of the screen a few seconds after start, and keeps the program
# running until it exits (or Ctrl+C).
set -u
PROGRAM=${1:?usage: run.sh PROGRAM [ARGS...]}
shift

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$PROGRAM" "$@"
fi

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/xsession.sh
. "$here/xsession.sh"
xsession_start || { echo "could not start a virtual display" >&2; exit 1; }
prog=""
# The program ends before its display does, so it closes cleanly.
finish()
{
    [ -n "$prog" ] && kill "$prog" 2>/dev/null && wait "$prog" 2>/dev/null
    xsession_stop
}
trap finish EXIT
trap 'exit 130' INT TERM

shot=${TARVEX_SCREENSHOT:-$(dirname "$PROGRAM")/screenshot.png}
"$PROGRAM" "$@" &
prog=$!
sleep 3
if kill -0 "$prog" 2>/dev/null; then
    import -window root "$shot" 2>/dev/null && echo "Screenshot of the running program: $shot"
    echo "Tarvex runs on the virtual display $DISPLAY; press Ctrl+C to end it."
fi
wait "$prog"

#!/bin/bash
# Typing speed of the X11 key injection: 1000 characters typed into a window of a private X
# session (Xvfb), with the characters lost or changed on the way.
# Usage: bash bench/type_text.sh BUILD_DIR
set -u
BUILD=$(cd "${1:-build}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
program=$BUILD/bench/tarvex_typetext
[ -x "$program" ] || cmake --build "$BUILD" --target tarvex_typetext >/dev/null || exit 1
# shellcheck source=scripts/xsession.sh
. "$root/scripts/xsession.sh"
xsession_start || { echo "type_text: could not start a private X session; skipped"; exit 0; }
trap xsession_stop EXIT
unset WAYLAND_DISPLAY
QT_QPA_PLATFORM=xcb "$program"

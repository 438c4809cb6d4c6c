#!/bin/bash
# Typing speed of the key injection: 1000 characters typed into a window of a private X session
# (Xvfb), then of a private headless sway through its virtual keyboard, with the characters lost
# or changed on the way.
# Usage: bash bench/type_text.sh BUILD_DIR
set -u
BUILD=$(cd "${1:-build}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
program=$BUILD/bench/tarvex_typetext
if [ "${2:-}" = "--in-sway" ]; then
    # A keyboard kept on the seat, as a desktop has one: while the seat has none, each new
    # virtual keyboard makes the clients take a keyboard anew and its first keys are lost.
    wtype -s 600000 &
    seat=$!
    wtype -k Shift_L
    QT_QPA_PLATFORM=wayland "$program"
    kill "$seat"
    exit 0
fi
[ -x "$program" ] || cmake --build "$BUILD" --target tarvex_typetext >/dev/null || exit 1
(
    # shellcheck source=scripts/xsession.sh
    . "$root/scripts/xsession.sh"
    xsession_start || { echo "type_text: could not start a private X session; skipped"; exit 0; }
    trap xsession_stop EXIT
    unset WAYLAND_DISPLAY
    QT_QPA_PLATFORM=xcb "$program"
)
if command -v sway >/dev/null && command -v wtype >/dev/null; then
    bash "$root/tests/e2e/run-in-sway.sh" bash "$0" "$BUILD" --in-sway
else
    echo "type_text: sway or wtype is missing; headless sway skipped"
fi

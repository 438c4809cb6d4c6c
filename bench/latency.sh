#!/bin/bash
# Key press → action latency and idle cost of the running hotkeys, measured in
# the same run as sxhkd and xbindkeys (and a bare XInput2 listener, the floor)
# bound to the same hotkey, through the shared peer harness peers.sh. The
# "tarvex" column is the test host: the core's detection and actions on the real
# X11/Linux back end, reading its hotkey file from a private HOME; "tarvex-app"
# is the whole program started with "automatic", when it is built.
# Usage: bash bench/latency.sh BUILD_DIR   (environment: as peers.sh, e.g. N=50)
set -u
BUILD=$(cd "${1:-build}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
PEERS=${PEERS:-$root/../shared/bench/peers.sh}
HOST=$BUILD/tests/tarvex_testhost

[ -x "$HOST" ] || cmake --build "$BUILD" --target tarvex_testhost >/dev/null || exit 1
if [ ! -f "$PEERS" ]; then
    echo "latency: peer harness $PEERS not found; skipped"
    exit 0
fi

# One hotkey, (Ctrl)(Alt)k, whose target is the harness's timestamp script; no sound.
config='mkdir -p "$HOME/Documents" "$XDG_CONFIG_HOME/Tarvex"
printf "(Ctrl)(Alt)k*%s\r\n" "$BENCH_ACTION_SCRIPT" > "$HOME/Documents/Hotkeys.TarvexDB"
printf "[Hotkey%%20Activation]\nSound=\n" > "$XDG_CONFIG_HOME/Tarvex/Tarvex.ini"'
start="env -u DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=\$BENCH_DIR $HOST"

# The whole program, started as the login entry starts it, is a column of its own.
tools=(--tool tarvex "$config" "$start")
if [ -x "$BUILD/tarvex" ]; then
    tools+=(--tool tarvex-app "$config"
        "env -u DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=\$BENCH_DIR $BUILD/tarvex automatic")
fi

out=$(mktemp)
trap 'rm -f "$out"' EXIT
bash "$PEERS" "${tools[@]}" | tee "$out"
status=${PIPESTATUS[0]}

# The ratios the targets are stated in: Tarvex against sxhkd and the floor.
awk '
    /^metric/ { for (i = 2; i <= NF; i++) col[$i] = i }
    /^latency median ms/ { for (n in col) med[n] = $(col[n] + 2) }
    END {
        if (!("tarvex" in med) || med["tarvex"] + 0 <= 0) exit
        for (n in med) if (n != "tarvex" && med[n] + 0 > 0)
            printf "median latency ratio tarvex / %s: %.2f\n", n, med["tarvex"] / med[n]
    }' "$out"
exit "$status"

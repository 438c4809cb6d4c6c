#!/bin/bash
# Key press → action latency and idle cost of the whole program sitting in a
# notification-area tray (started with "automatic", as the login entry starts
# it), measured in the same run as sxhkd and xbindkeys (and a bare XInput2
# listener, the floor) bound to the same hotkey, through the shared peer
# harness peers.sh. After the idle run it also prints the program's resident,
# private and anonymous memory, read from /proc/PID/smaps_rollup.
# Usage: bash bench/latency.sh BUILD_DIR
#   (environment: as peers.sh; defaults here TRAY=1 IDLE_SETTLE=30 MAX_S=300;
#    PEERS=path/to/peers.sh)
set -u
BUILD=$(cd "${1:-build}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
PEERS=${PEERS:-$root/../shared/bench/peers.sh}
PROGRAM=$BUILD/tarvex
export TRAY=${TRAY:-1} IDLE_SETTLE=${IDLE_SETTLE:-30} MAX_S=${MAX_S:-300}

if [ ! -f "$PEERS" ]; then
    echo "latency: peer harness $PEERS not found (set PEERS=); skipped"
    exit 0
fi
[ -x "$PROGRAM" ] || cmake --build "$BUILD" --target tarvex >/dev/null || exit 1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TARVEX_MEMORY_OUT=$work/memory

# Starts the program, names it as the measured process (BENCH_PIDFILE) and keeps
# the last reading of its memory, taken once a second until it ends.
cat >"$work/sample-memory" <<'SCRIPT'
#!/bin/bash
"$@" &
child=$!
echo "$child" >"$BENCH_PIDFILE"
trap 'kill -TERM "$child" 2>/dev/null' TERM INT
while kill -0 "$child" 2>/dev/null; do
    if reading=$(cat "/proc/$child/smaps_rollup" 2>/dev/null) && [ -n "$reading" ]; then
        printf '%s\n' "$reading" >"$TARVEX_MEMORY_OUT.tmp" && mv "$TARVEX_MEMORY_OUT.tmp" "$TARVEX_MEMORY_OUT"
    fi
    sleep 1
done
wait "$child"
SCRIPT
chmod +x "$work/sample-memory"

# One hotkey, (Ctrl)(Alt)k, whose target is the harness's timestamp script; no
# sound and no notification, as the peers make neither.
config='mkdir -p "$HOME/Documents" "$XDG_CONFIG_HOME/Tarvex"
printf "(Ctrl)(Alt)k*%s\r\n" "$BENCH_ACTION_SCRIPT" > "$HOME/Documents/Hotkeys.TarvexDB"
printf "[Hotkey%%20Activation]\nSound=\nNotification=0\n[Startup]\nRun=0\n" > "$XDG_CONFIG_HOME/Tarvex/Tarvex.ini"'
start="$work/sample-memory env -u DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=\$BENCH_DIR $PROGRAM automatic"

out=$work/peers.txt
bash "$PEERS" --tool tarvex "$config" "$start" | tee "$out"
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
if [ -s "$TARVEX_MEMORY_OUT" ]; then
    awk '{ v[$1] = $2 }
         END { printf "tarvex memory after the idle run: resident %d kB, private %d kB " \
                      "(dirty %d kB), anonymous %d kB\n", v["Rss:"],
                      v["Private_Clean:"] + v["Private_Dirty:"], v["Private_Dirty:"],
                      v["Anonymous:"] }' "$TARVEX_MEMORY_OUT"
fi
exit "$status"

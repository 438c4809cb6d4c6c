#!/bin/bash
# The key sources side by side, in one run on one private X session: key
# press → action start of the whole program (build/tarvex automatic, sitting
# in a tray) through XInput2 (keys sent with XTest), through the kernel's
# input devices read by the program (the same keys written as input-event
# records into a FIFO that "[Keyboard] Devices" names), and through the key
# reader (tarvex-keyreader reading such a FIFO, with logind standing in on a
# private system bus and the user's permission written beforehand). The
# hotkey (Ctrl)(Alt)k runs a script that writes the time; latency = that time
# - the time taken just before the keys were sent, by the same sender
# (tarvex_keyfeed) in every column. Then each program is left idle and its
# wake-ups are counted (context switches of all its threads, per 10 s; in the
# reader's column, the reader's own added).
# Usage: bash bench/key_sources.sh BUILD_DIR   (environment: N=100 INTERVAL_MS=100
#        IDLE=10 IDLE_SETTLE=5)
set -u
BUILD=$(cd "${1:-build}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
PROGRAM=$BUILD/tarvex
FEED=$BUILD/bench/tarvex_keyfeed
SEAT=$BUILD/bench/tarvex_seat_standin
READER=$BUILD/tarvex-keyreader
N=${N:-100}
INTERVAL_MS=${INTERVAL_MS:-100}
IDLE=${IDLE:-10}
IDLE_SETTLE=${IDLE_SETTLE:-5}

[ -x "$PROGRAM" ] || cmake --build "$BUILD" --target tarvex >/dev/null || exit 1
[ -x "$FEED" ] || cmake --build "$BUILD" --target tarvex_keyfeed >/dev/null || exit 1
[ -x "$SEAT" ] || cmake --build "$BUILD" --target tarvex_seat_standin >/dev/null || exit 1
[ -x "$READER" ] || cmake --build "$BUILD" --target tarvex-keyreader >/dev/null || exit 1
for tool in Xvfb openbox trayer; do
    command -v "$tool" >/dev/null || { echo "key_sources: $tool missing; skipped"; exit 0; }
done

# shellcheck source=scripts/xsession.sh
. "$root/scripts/xsession.sh"
work=$(mktemp -d)
prog=""
seat=""
reader=""
finish()
{
    [ -n "$prog" ] && kill "$prog" 2>/dev/null && wait "$prog" 2>/dev/null
    [ -n "$seat" ] && kill "$seat" 2>/dev/null && wait "$seat" 2>/dev/null
    xsession_stop
    rm -rf "$work"
}
trap finish EXIT
xsession_start || { echo "key_sources: could not start a private X session" >&2; exit 1; }

switches()
{
    cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches/ { s += $2 } END { print s + 0 }'
}

# run NAME SEND_ARGS... : one column; SEND_ARGS are the feeder's way (and FIFO).
run()
{
    local name=$1
    shift
    local home=$work/$name out=$work/$name/actions sends=$work/$name/sends
    mkdir -p "$home/Documents" "$home/.config/Tarvex" "$home/run"
    chmod 700 "$home/run"
    printf '#!/bin/sh\nexec date +%%s%%N >> "%s"\n' "$out" >"$home/action"
    chmod +x "$home/action"
    printf '(Ctrl)(Alt)k*%s\r\n' "$home/action" >"$home/Documents/Hotkeys.TarvexDB"
    printf '[Hotkey%%20Activation]\nSound=\nNotification=0\n[Startup]\nRun=0\nNote=1\n' \
        >"$home/.config/Tarvex/Tarvex.ini"
    if [ "$name" = reader ]; then
        printf '[Keyboard]\nSource=reader\n' >>"$home/.config/Tarvex/Tarvex.ini"
    elif [ "$1" = fifo ]; then
        printf '[Keyboard]\nSource=evdev\nDevices=%s\n' "$2" >>"$home/.config/Tarvex/Tarvex.ini"
    fi
    : >"$out"
    env -u DBUS_SESSION_BUS_ADDRESS HOME="$home" XDG_CONFIG_HOME="$home/.config" \
        XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=xcb XKB_DEFAULT_LAYOUT=us \
        TARVEX_KEYREADER_SOCKET="$work/reader.socket" \
        "$PROGRAM" automatic >"$home/log" 2>&1 &
    prog=$!
    # Ready once a press fires the hotkey.
    local i
    for i in $(seq 40); do
        sleep 0.25
        "$FEED" "$@" 1 0 /dev/null 2>/dev/null
        sleep 0.1
        [ -s "$out" ] && break
    done
    if [ ! -s "$out" ]; then
        echo "key_sources: $name never fired; its log:" >&2
        cat "$home/log" >&2
        R[$name]="- - - - - - -"
        kill "$prog"; wait "$prog" 2>/dev/null; prog=""
        return
    fi
    sleep 0.5
    : >"$out"
    : >"$sends"
    "$FEED" "$@" "$N" "$INTERVAL_MS" "$sends"
    sleep 1
    # Each send's first action before the next send (as peers.sh counts them).
    sort -n "$out" >"$out.sorted"
    awk 'NR == FNR { s[++k] = $1; next } { a[++m] = $1 }
        END {
            j = 1
            for (i = 1; i <= k; i++) {
                hi = (i < k) ? s[i + 1] : s[i] + 1e10
                while (j <= m && a[j] < s[i]) j++
                if (j <= m && a[j] < hi) { printf "%.3f\n", (a[j] - s[i]) / 1e6; j++ }
            }
        }' "$sends" "$out.sorted" | sort -n >"$work/$name/latencies"
    local sent seen latency
    sent=$(wc -l <"$sends")
    seen=$(wc -l <"$work/$name/latencies")
    latency=$(awk '{ v[NR] = $1 } END {
            if (NR == 0) { print "- - - -"; exit }
            med = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            p = int(0.95 * NR); if (p < 0.95 * NR) p++
            printf "%.2f %.2f %.2f %.2f", v[1], med, v[p], v[NR] }' "$work/$name/latencies")
    latency="$sent $(wc -l <"$out") $((sent - seen)) $latency"
    sleep "$IDLE_SETTLE"
    local before after
    before=$(($(switches "$prog") + $([ "$name" = reader ] && switches "$reader" || echo 0)))
    sleep "$IDLE"
    after=$(($(switches "$prog") + $([ "$name" = reader ] && switches "$reader" || echo 0)))
    R[$name]="$latency $(awk -v d=$((after - before)) -v s="$IDLE" 'BEGIN { printf "%.1f", d * 10 / s }')"
    kill "$prog"
    wait "$prog" 2>/dev/null
    prog=""
}

declare -A R
mkfifo "$work/keyboard"
run xinput2 x11
run evdev fifo "$work/keyboard"
# The key reader on a FIFO keyboard of its own, the user's permission written as it keeps it.
mkdir -p "$work/reader-keys" "$work/reader-state/granted"
mkfifo "$work/reader-keys/event0"
id -un >"$work/reader-state/granted/$(id -u)"
"$SEAT" "$READER" --socket "$work/reader.socket" --folder "$work/reader-keys" \
    --state "$work/reader-state" 2>"$work/reader.log" &
seat=$!
for _ in $(seq 100); do
    reader=$(pgrep -P "$seat" -f tarvex-keyreader)
    [ -n "$reader" ] && [ -S "$work/reader.socket" ] && break
    sleep 0.1
done
run reader fifo "$work/reader-keys/event0"
kill "$seat" 2>/dev/null
wait "$seat" 2>/dev/null
seat=""
reader=""

echo
echo "key sources: N=$N interval=${INTERVAL_MS}ms idle=${IDLE}s cores=$(nproc) (same X session, same sender)"
printf '%-26s%12s%12s%12s\n' metric xinput2 evdev reader
labels=("presses sent" "actions seen" "missed" "latency min ms" "latency median ms"
    "latency p95 ms" "latency max ms" "idle wake-ups per 10 s")
read -r -a x <<<"${R[xinput2]}"
read -r -a e <<<"${R[evdev]}"
read -r -a k <<<"${R[reader]}"
for i in "${!labels[@]}"; do
    printf '%-26s%12s%12s%12s\n' "${labels[$i]}" "${x[$i]:--}" "${e[$i]:--}" "${k[$i]:--}"
done
for column in evdev reader; do
    read -r -a c <<<"${R[$column]}"
    awk -v x="${x[4]:-}" -v c="${c[4]:-}" -v name="$column" 'BEGIN {
        if (x + 0 > 0 && c + 0 > 0) printf "median latency ratio %s / xinput2: %.2f\n", name, c / x }'
done

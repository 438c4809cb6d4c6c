#!/bin/bash
# Wake-ups of the idle program: the whole program (build/tarvex, main window
# shown) on a private X session with a window manager, its main window
# activated and in front, the pointer resting on it, then left alone. Every
# context switch of any of its threads (voluntary and involuntary, from
# /proc/PID/task/*/status) counts as a wake-up. Printed for IDLE_SECONDS
# (default 10) and per 10 s, once with the main window active and once with
# another window in front, with the busiest threads.
# Usage: bash bench/idle_wakeups.sh BUILD_DIR
set -u
BUILD=$(cd "${1:-build}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
PROGRAM=$BUILD/tarvex
IDLE_SECONDS=${IDLE_SECONDS:-10}

if [ ! -x "$PROGRAM" ]; then
    echo "idle_wakeups: $PROGRAM is not built; skipped"
    exit 0
fi
for tool in xdotool xwininfo Xvfb openbox; do
    command -v "$tool" >/dev/null || { echo "idle_wakeups: $tool missing; skipped"; exit 0; }
done

# shellcheck source=scripts/xsession.sh
. "$root/scripts/xsession.sh"
work=$(mktemp -d)
prog=""
other=""
finish()
{
    [ -n "$other" ] && kill "$other" 2>/dev/null && wait "$other" 2>/dev/null
    [ -n "$prog" ] && kill "$prog" 2>/dev/null && wait "$prog" 2>/dev/null
    xsession_stop
    rm -rf "$work"
}
trap finish EXIT
xsession_start || { echo "idle_wakeups: could not start a private X session" >&2; exit 1; }

# A private HOME with no activation sound, as a user who has set nothing up.
mkdir -p "$work/Documents" "$work/.config/Tarvex"
printf '[Hotkey%%20Activation]\nSound=\n' >"$work/.config/Tarvex/Tarvex.ini"
printf 'pcm.!default { type null }\n' >"$work/.asoundrc"
env -u DBUS_SESSION_BUS_ADDRESS HOME="$work" XDG_CONFIG_HOME="$work/.config" \
    XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=xcb "$PROGRAM" >"$work/log" 2>&1 &
prog=$!

# The main window: the program's shown window named "Tarvex" of main-window size.
main=""
for _ in $(seq 200); do
    for w in $(xdotool search --onlyvisible --pid "$prog" 2>/dev/null); do
        width=$(xwininfo -id "$w" 2>/dev/null | awk '/Width:/ { print $2 }')
        name=$(xdotool getwindowname "$w" 2>/dev/null)
        if [ "$name" = "Tarvex" ] && [ "${width:-0}" -ge 250 ]; then
            main=$w
            break 2
        fi
    done
    sleep 0.05
done
if [ -z "$main" ]; then
    echo "idle_wakeups: the main window did not appear" >&2
    cat "$work/log" >&2
    exit 1
fi

switches()
{
    local total=0 f v
    for f in /proc/"$prog"/task/*/status; do
        v=$(awk '/ctxt_switches/ { s += $2 } END { print s + 0 }' "$f" 2>/dev/null)
        total=$((total + ${v:-0}))
    done
    echo "$total"
}

# Per-thread counts "tid:name switches", for the breakdown.
thread_counts()
{
    local t name
    for t in /proc/"$prog"/task/*; do
        name=$(tr ' ' '_' <"$t/comm" 2>/dev/null)
        printf '%s:%s %s\n' "${t##*/}" "$name" \
            "$(awk '/ctxt_switches/ { s += $2 } END { print s + 0 }' "$t/status" 2>/dev/null)"
    done
}

measure()
{
    local label=$1 before after
    sleep 2 # let the activation's own drawing and events settle
    thread_counts | sort >"$work/before"
    before=$(switches)
    sleep "$IDLE_SECONDS"
    after=$(switches)
    thread_counts | sort >"$work/after"
    local n=$((after - before))
    awk -v n="$n" -v s="$IDLE_SECONDS" -v label="$label" 'BEGIN {
        printf "idle wake-ups, %s: %d in %d s (%.1f per 10 s)\n", label, n, s, n * 10 / s }'
    join "$work/before" "$work/after" 2>/dev/null |
        awk '{ d = $3 - $2; if (d > 0) printf "    thread %s: %d\n", $1, d }'
}

xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowactivate "$main"
xdotool windowraise "$main"
eval "$(xdotool getwindowgeometry --shell "$main")"
# The pointer rests on the window's title bar, clear of its buttons and link.
xdotool mousemove $((X + WIDTH / 2)) $((Y + 8))
sleep 0.5
if [ "$(xdotool getactivewindow 2>/dev/null)" != "$main" ]; then
    echo "idle_wakeups: the main window could not be activated" >&2
    exit 1
fi
measure "main window active and in front"

# For comparison: the same program with another window in front.
xmessage -geometry +0+0 "in front" >/dev/null 2>&1 &
other=$!
for _ in $(seq 100); do
    [ "$(xdotool getactivewindow 2>/dev/null)" != "$main" ] && break
    sleep 0.05
done
measure "another window in front"

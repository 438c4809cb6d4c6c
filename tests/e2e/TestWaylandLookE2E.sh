#!/bin/bash
# The main window, the editor, the wizard and the appearance window look on Wayland as on X11:
# shot on a private X session (import) and on headless sway (grim), each window has one size and
# the same pixels in the frame's borders and the title band's right end (the main window's panel
# too). Windows are opened from the keyboard: xdotool on X11, a virtual keyboard (wtype) on sway.
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/tarvex-look.XXXXXX)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT

# shoot.sh PROGRAM OUT STEP...: starts PROGRAM, waits for its main window, then takes each step
# (a key name is pressed, "=Title" waits for that window) and shoots the last window waited for
# into OUT.png. It runs inside a session.
cat >"$work/shoot.sh" <<'SHOT'
#!/bin/bash
set -u
program=$1 out=$2
shift 2
# Each command it runs is written to OUT.trace, which says where a session that hangs stopped.
exec 9>"$out.trace"
BASH_XTRACEFD=9
set -x
title=Tarvex
home=$(mktemp -d /tmp/tarvex-look-home.XXXXXX)
chmod 755 "$home"
export HOME=$home
# Its own runtime folder (the single-instance lock) and, on Wayland, a FIFO keyboard: without a
# readable keyboard the main window would grow to say so.
export XDG_RUNTIME_DIR=$home/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
if [ -n "${WAYLAND_DISPLAY:-}" ]; then
    mkfifo "$home/keyboard"
    mkdir -p "$home/.config/Tarvex"
    printf '[Keyboard]\nDevices=%s\n' "$home/keyboard" >"$home/.config/Tarvex/Tarvex.ini"
fi
"$program" >"$out.log" 2>&1 &
pid=$!
find_window()
{
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        rect=$(swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(n):
    if n.get("pid") == '"$pid"' and n.get("name") == "'"$1"'" and n.get("focused"):
        r = n["rect"]
        print("%d,%d %dx%d" % (r["x"], r["y"], r["width"], r["height"]))
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))')
    else
        rect=$(xdotool search --all --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null | head -n 1)
        # The window manager may not have given the window the focus yet.
        [ -n "$rect" ] && xdotool windowactivate --sync "$rect" 2>/dev/null
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$rect" ] || rect=
    fi
}
shoot() { if [ -n "${WAYLAND_DISPLAY:-}" ]; then grim -g "$rect" "$1"; else import -window "$rect" "$1"; fi; }
# Waits until the window is there with the keyboard focus, and its picture has settled: two
# shots in a row alike (the frame repaints in its active colours once the focus arrives).
wait_window()
{
    rect=
    for _ in $(seq 100); do
        find_window "$1"
        [ -n "$rect" ] && break
        sleep 0.1
    done
    [ -n "$rect" ] || return
    shoot "$out.a.png"
    for _ in $(seq 40); do
        sleep 0.25
        shoot "$out.b.png"
        [ "$(compare -metric AE "$out.a.png" "$out.b.png" null: 2>&1)" = 0 ] && break
        mv "$out.b.png" "$out.a.png"
    done
    [ -e "$out.b.png" ] || mv "$out.a.png" "$out.b.png"
}
wait_window Tarvex
# One virtual keyboard stays for the whole run: each wtype below brings a keyboard of its own
# and takes it away as it ends, and a seat whose only keyboard comes and goes moves the focus
# as no desktop with a real keyboard does. Its first key only makes the keyboard known.
if [ $# -gt 0 ] && [ -n "${WAYLAND_DISPLAY:-}" ]; then
    wtype -s 600000 &
    seat_keyboard=$!
    wtype -k Shift_L
fi
for step in "$@"; do
    [ -n "$rect" ] || break
    if [ "${step:0:1}" = "=" ]; then
        title=${step:1}
        wait_window "$title"
    elif [ -n "${WAYLAND_DISPLAY:-}" ]; then
        wtype -s 300 -k "$step"
    else
        xdotool key --delay 300 "$step"
    fi
done
[ -n "$rect" ] && mv "$out.b.png" "$out.png" || echo "no window \"$title\" in $out" >&2
[ -n "${seat_keyboard:-}" ] && kill "$seat_keyboard"
# The program ends at once on SIGTERM: one still running 20 s later hangs, and its threads'
# stacks say where.
kill "$pid"
timeout 20 tail -s 0.1 --pid="$pid" -f /dev/null || {
    echo "FAIL: $program did not end within 20 s of SIGTERM ($out)" >&2
    command -v gdb >/dev/null &&
        gdb -p "$pid" -batch -ex 'thread apply all bt' 2>&1 | grep -E '^(Thread|#)' >&2
    kill -KILL "$pid"
    hung=1
}
wait "$pid"
rm -rf "$home"
exit "${hung:-0}"
SHOT
chmod 755 "$work/shoot.sh"

status=0
# compare_shots NAME REGION...: the X11 and Wayland shots of NAME have one size and the same
# pixels in each region (regions may use $w and $h, the shot's size).
compare_shots()
{
    local name=$1
    shift
    for shot in x11 wayland; do
        if [ ! -s "$work/$name-$shot.png" ]; then
            echo "FAIL: no $shot shot of $name"; cat "$work/$name-$shot.log"; status=1; return
        fi
    done
    local x11 wayland w h colours differing
    x11=$(identify -format '%wx%h' "$work/$name-x11.png")
    wayland=$(identify -format '%wx%h' "$work/$name-wayland.png")
    echo "$name: X11 $x11, Wayland $wayland"
    [ "$x11" = "$wayland" ] || { echo "FAIL: the sizes of $name differ"; status=1; return; }
    w=${x11%x*} h=${x11#*x}
    # A shot of the window, not of an empty screen: the title band is a gradient.
    colours=$(convert "$work/$name-x11.png" -crop "$((w - 20))x24+10+2" +repage -format '%k' info:)
    [ "$colours" -ge 3 ] || { echo "FAIL: no title band in the X11 shot of $name"; status=1; return; }
    for region in "$@"; do
        region=$(eval echo "$region")
        convert "$work/$name-x11.png" -crop "$region" +repage "$work/x11-part.png"
        convert "$work/$name-wayland.png" -crop "$region" +repage "$work/wayland-part.png"
        differing=$(compare -metric AE "$work/x11-part.png" "$work/wayland-part.png" null: 2>&1)
        echo "  region $region: $differing pixels differ"
        [ "$differing" = "0" ] || status=1
    done
}

# shoot_in SESSION OUT STEP...: shoot.sh in a session of its own. A session that fails, or has
# not ended after 60 s (it hangs: it is ended), stops the test, naming the last commands it ran.
shoot_in()
{
    timeout -k 5 60 bash "$here/$1" "$work/shoot.sh" "$program" "${@:2}"
    case $? in
    0) return ;;
    124 | 137) echo "FAIL: $1 did not end within 60 s for $2; its last commands were:" ;;
    *) echo "FAIL: $1 failed for $2; its last commands were:" ;;
    esac
    tail -n 4 "$2.trace"
    exit 1
}
# shoot_both NAME STEP...: shots of one window on X11 and on sway.
shoot_both()
{
    shoot_in run-in-xsession.sh "$work/$1-x11" "${@:2}"
    shoot_in run-in-sway.sh "$work/$1-wayland" "${@:2}"
}
shoot_both main
shoot_both editor Tab space "=Configure Hotkeys"
# The editor opens on " &Add New Hotkey" while its list is empty: Space opens the wizard.
shoot_both wizard Tab space "=Configure Hotkeys" space "=Hotkey Wizard"
shoot_both options Tab Tab space "=Customize Tarvex Appearance"
# Borders left, right and bottom, and the title band's right end.
frame=('4x$((h - 30))+0+30' '4x$((h - 30))+$((w - 4))+30' '${w}x3+0+$((h - 3))'
    '60x20+$((w - 70))+4')
compare_shots main "${frame[@]}" '12x60+6+$((h - 80))'
for name in editor wizard options; do compare_shots $name "${frame[@]}"; done
[ $status -eq 0 ] && echo PASS || echo "FAIL: a window is drawn differently"
exit $status

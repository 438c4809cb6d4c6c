#!/bin/bash
# The main window drawn by the Wayland back end looks as the X11 one does: the program is shot
# once on a private X session (import) and once on headless sway (grim); the two shots have the
# same size, and the frame's borders, the title band right of its text and the panel below the
# buttons have the same pixels.
# Usage: app_WaylandLookE2E.sh PROGRAM
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/tarvex-look.XXXXXX)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT

# One shot of the main window of a fresh start into $work/$1.png (run inside a session).
cat >"$work/shoot.sh" <<'SHOT'
#!/bin/bash
set -u
program=$1 out=$2
home=$(mktemp -d /tmp/tarvex-look-home.XXXXXX)
chmod 755 "$home"
export HOME=$home
"$program" >"$out.log" 2>&1 &
pid=$!
for _ in $(seq 100); do
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        rect=$(swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(n):
    if n.get("pid") == '"$pid"' and n.get("name") == "Tarvex":
        r = n["rect"]
        print("%d,%d %dx%d" % (r["x"], r["y"], r["width"], r["height"]))
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))')
    else
        rect=$(xdotool search --onlyvisible --pid "$pid" --name '^Tarvex$' 2>/dev/null | head -n 1)
    fi
    [ -n "$rect" ] && break
    sleep 0.1
done
sleep 1.5 # the first paint and the focus
if [ -z "$rect" ]; then
    echo "no main window in $out" >&2
elif [ -n "${WAYLAND_DISPLAY:-}" ]; then
    grim -g "$rect" "$out.png"
else
    import -window "$rect" "$out.png"
fi
kill "$pid"
wait "$pid"
rm -rf "$home"
SHOT
chmod 755 "$work/shoot.sh"

bash "$here/run-in-xsession.sh" "$work/shoot.sh" "$program" "$work/x11"
bash "$here/run-in-sway.sh" "$work/shoot.sh" "$program" "$work/wayland"
for shot in x11 wayland; do
    if [ ! -s "$work/$shot.png" ]; then
        echo "FAIL: no $shot shot"; cat "$work/$shot.log"; exit 1
    fi
done

size() { identify -format '%wx%h' "$1"; }
x11=$(size "$work/x11.png") wayland=$(size "$work/wayland.png")
echo "main window: X11 $x11, Wayland $wayland"
if [ "$x11" != "$wayland" ]; then
    echo "FAIL: the sizes differ"; exit 1
fi
w=${x11%x*} h=${x11#*x}
status=0
# A shot of the window, not of an empty screen: the title band is a gradient.
colours=$(convert "$work/x11.png" -crop "$((w - 20))x24+10+2" +repage -format '%k' info:)
if [ "$colours" -lt 3 ]; then
    echo "FAIL: the X11 shot shows no title band ($colours colours)"; exit 1
fi
# Regions without text: left, right and bottom borders, the title band's right end, the panel
# strip under the last button's row, left of the link.
for region in "4x$((h - 30))+0+30" "4x$((h - 30))+$((w - 4))+30" "$((w))x3+0+$((h - 3))" \
    "60x20+$((w - 70))+4" "12x60+6+$((h - 80))"; do
    convert "$work/x11.png" -crop "$region" +repage "$work/x11-part.png"
    convert "$work/wayland.png" -crop "$region" +repage "$work/wayland-part.png"
    differing=$(compare -metric AE "$work/x11-part.png" "$work/wayland-part.png" null: 2>&1)
    echo "region $region: $differing pixels differ"
    [ "$differing" = "0" ] || status=1
done
[ $status -eq 0 ] && echo PASS || echo "FAIL: the frame is drawn differently"
exit $status

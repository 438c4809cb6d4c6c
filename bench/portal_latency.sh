#!/bin/bash
# Key press → action start of the whole program (build/tarvex automatic) through the desktop
# portal's global shortcuts, beside XInput2 in the same run. Portal: headless KWin with KDE's
# own portal backend (tests/e2e/run-in-kwin.sh), "[Keyboard] Source=auto" with a table of
# chords (so the portal runs it), Ctrl+Alt+K pressed through KWin's fake input
# (tarvex_fake_input prints the time of the K press). XInput2: a private X session, the same
# chord sent with XTest by tarvex_keyfeed. The hotkey (Ctrl)(Alt)k runs a script that writes
# the time; latency = that time - the press time. bench/key_sources.sh has the other sources.
# Usage: bash bench/portal_latency.sh BUILD_DIR   (environment: N=50 INTERVAL_MS=100)
set -u
BUILD=$(cd "${1:-build}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
N=${N:-50}
INTERVAL_MS=${INTERVAL_MS:-100}
for tool in Xvfb openbox kwin_wayland /usr/libexec/xdg-desktop-portal; do
    command -v "$tool" >/dev/null || { echo "portal_latency: $tool missing; skipped"; exit 0; }
done
cmake --build "$BUILD" --target tarvex tarvex_keyfeed tarvex_fake_input >/dev/null || exit 1

work=$(mktemp -d /tmp/portal-latency.XXXXXX)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT

# home NAME SOURCE: a HOME whose (Ctrl)(Alt)k writes the time into NAME/actions.
home()
{
    local dir=$work/$1
    mkdir -p "$dir/Documents" "$dir/.config/Tarvex"
    printf '#!/bin/sh\nexec date +%%s%%N >> "%s"\n' "$dir/actions" >"$dir/action"
    chmod 755 "$dir/action"
    : >"$dir/actions"
    printf '(Ctrl)(Alt)k*%s\r\n' "$dir/action" >"$dir/Documents/Hotkeys.TarvexDB"
    printf '[Hotkey%%20Activation]\nSound=\nNotification=0\n[Startup]\nRun=0\nNote=1\n[Keyboard]\nSource=%s\n' \
        "$2" >"$dir/.config/Tarvex/Tarvex.ini"
}

# latencies SENDS ACTIONS: each send's first action before the next send, in ms, sorted.
latencies()
{
    sort -n "$2" | awk 'NR == FNR { s[++k] = $1; next } { a[++m] = $1 }
        END {
            j = 1
            for (i = 1; i <= k; i++) {
                hi = (i < k) ? s[i + 1] : s[i] + 1e10
                while (j <= m && a[j] < s[i]) j++
                if (j <= m && a[j] < hi) { printf "%.3f\n", (a[j] - s[i]) / 1e6; j++ }
            }
        }' "$1" - | sort -n
}

# summary FILE: count, median and p95 of the sorted latencies in FILE.
summary()
{
    awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "0 - -"; exit }
        med = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        p = int(0.95 * NR); if (p < 0.95 * NR) p++
        printf "%d %.2f %.2f", NR, med, v[p] }' "$1"
}

# XInput2 on a private X session.
home xinput2 x11
(
    # shellcheck source=scripts/xsession.sh
    . "$root/scripts/xsession.sh"
    trap xsession_stop EXIT
    xsession_start || exit 1
    dir=$work/xinput2
    mkdir -m 700 "$dir/run"
    env -u DBUS_SESSION_BUS_ADDRESS HOME="$dir" XDG_CONFIG_HOME="$dir/.config" \
        XDG_RUNTIME_DIR="$dir/run" QT_QPA_PLATFORM=xcb "$BUILD/tarvex" automatic >/dev/null 2>&1 &
    prog=$!
    for _ in $(seq 40); do
        sleep 0.25
        "$BUILD/bench/tarvex_keyfeed" x11 1 0 /dev/null 2>/dev/null
        sleep 0.1
        [ -s "$dir/actions" ] && break
    done
    sleep 0.5
    : >"$dir/actions"
    "$BUILD/bench/tarvex_keyfeed" x11 "$N" "$INTERVAL_MS" "$dir/sends"
    sleep 1
    kill "$prog"
    wait "$prog" 2>/dev/null
)
latencies "$work/xinput2/sends" "$work/xinput2/actions" >"$work/xinput2.ms"

# The portal on headless KWin, the program and the presses as the session's user, which may
# not reach the build folder: they run from copies.
home portal auto
cp "$BUILD/tarvex" "$BUILD/tests/tarvex_fake_input" "$work/portal/"
[ "$(id -u)" -eq 0 ] && chown -R 65534:65534 "$work/portal"
cat >"$work/portal/run" <<EOF
#!/bin/bash
dir=$work/portal
\$KWIN_RUN_AS env HOME=\$dir XDG_CONFIG_HOME=\$dir/.config XDG_RUNTIME_DIR=\$KWIN_RUNTIME_DIR \
    QT_QPA_PLATFORM=wayland "\$dir/tarvex" automatic >/dev/null 2>&1 &
prog=\$!
press() { \$KWIN_RUN_AS "\$dir/tarvex_fake_input" 29 56 37; }
for _ in \$(seq 40); do
    sleep 0.25
    press >/dev/null
    sleep 0.1
    [ -s "\$dir/actions" ] && break
done
sleep 0.5
: >"\$dir/actions"
for _ in \$(seq $N); do
    press >>"$work/portal/sends"
    sleep $(awk -v ms="$INTERVAL_MS" 'BEGIN { print ms / 1000 }')
done
sleep 1
kill \$prog
EOF
chmod 755 "$work/portal/run"
bash "$root/tests/e2e/run-in-kwin.sh" "$work/portal/run" >/dev/null 2>&1
latencies "$work/portal/sends" "$work/portal/actions" >"$work/portal.ms"

read -r xn xmed xp95 <<<"$(summary "$work/xinput2.ms")"
read -r pn pmed pp95 <<<"$(summary "$work/portal.ms")"
echo "portal latency: N=$N interval=${INTERVAL_MS}ms cores=$(nproc)"
printf '%-22s%12s%12s\n' metric xinput2 portal "actions seen" "$xn" "$pn" \
    "latency median ms" "$xmed" "$pmed" "latency p95 ms" "$xp95" "$pp95"
awk -v x="$xmed" -v p="$pmed" 'BEGIN {
    if (x + 0 > 0 && p + 0 > 0) printf "median latency ratio portal / xinput2: %.2f\n", p / x }'

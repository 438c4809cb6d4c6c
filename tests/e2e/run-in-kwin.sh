#!/bin/bash
# Runs one end-to-end test program beside a private headless KWin (KDE Plasma's compositor),
# on a session bus of its own where KDE's portal backend and the portal frontend start on
# demand, as on a Plasma desktop; all of it ends when the program ends. KWin serves
# org.kde.kglobalaccel itself: it starts before anything asks for that name, or the bus would
# start the X11 daemon instead. The program sees WAYLAND_DISPLAY (the socket's full path),
# DBUS_SESSION_BUS_ADDRESS, KWIN_RUNTIME_DIR and KWIN_RUN_AS (the command that runs a program
# as the session's user). As root the session runs as the user nobody: the portal serves only
# programs of its own user, so the program under test runs as nobody too.
set -u
work=$(mktemp -d /tmp/kwin-session.XXXXXX)
chmod 755 "$work"
runtime=$work/runtime
mkdir -m 700 "$runtime" "$work/home"
run_as=()
if [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$runtime" "$work/home"
    run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
# The installed kwin_wayland carries a file capability (CAP_SYS_RESOURCE) that a container's
# bounding set may lack, and then fails with EPERM; a plain copy runs.
cp /usr/bin/kwin_wayland "$work/kwin_wayland"
# A session bus that the test (root) may join too.
cat >"$work/bus.conf" <<'EOF'
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <standard_session_servicedirs/>
  <policy context="default">
    <allow user="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
session=(env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$runtime"
    XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=kwin-test
    QT_QPA_PLATFORM=wayland KWIN_WAYLAND_NO_PERMISSION_CHECKS=1)
"${run_as[@]}" "${session[@]}" dbus-daemon --config-file="$work/bus.conf" --nofork \
    --print-address=1 >"$work/address" 2>"$work/dbus.log" &
bus=$!
kwin=""
# Ends KWin, then every process the bus started (the portals), then the bus.
finish()
{
    local pids=()
    if [ -n "${address:-}" ]; then
        for name in $(dbus-send --bus="$address" --print-reply --dest=org.freedesktop.DBus \
            /org/freedesktop/DBus org.freedesktop.DBus.ListNames 2>/dev/null |
            sed -n 's/.*string "\(:[^"]*\)".*/\1/p'); do
            pids+=($(dbus-send --bus="$address" --print-reply --dest=org.freedesktop.DBus \
                /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID \
                string:"$name" 2>/dev/null | sed -n 's/.*uint32 //p'))
        done
    fi
    [ -n "$kwin" ] && kill "$kwin" 2>/dev/null
    for pid in "${pids[@]}"; do
        [ "$pid" != "$$" ] && kill "$pid" 2>/dev/null
    done
    kill "$bus" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT

for _ in $(seq 200); do
    [ -s "$work/address" ] && break
    sleep 0.05
done
address=$(head -n 1 "$work/address")
if [ -z "$address" ]; then
    echo "dbus-daemon did not start:" >&2
    cat "$work/dbus.log" >&2
    exit 1
fi
"${run_as[@]}" "${session[@]}" DBUS_SESSION_BUS_ADDRESS="$address" "$work/kwin_wayland" \
    --virtual --no-lockscreen --socket kwin-test --width 1280 --height 800 \
    >"$work/kwin.log" 2>&1 &
kwin=$!
# A name the bus could start shows in its lists before it runs: wait for a process.
for _ in $(seq 600); do
    dbus-send --bus="$address" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.GetConnectionUnixProcessID string:org.kde.kglobalaccel \
        >/dev/null 2>&1 && [ -S "$runtime/kwin-test" ] && break
    kill -0 "$kwin" 2>/dev/null || break
    sleep 0.05
done
if ! [ -S "$runtime/kwin-test" ] || ! kill -0 "$kwin" 2>/dev/null; then
    echo "KWin did not start:" >&2
    cat "$work/kwin.log" >&2
    exit 1
fi
export WAYLAND_DISPLAY=$runtime/kwin-test DBUS_SESSION_BUS_ADDRESS=$address
export KWIN_RUNTIME_DIR=$runtime KWIN_RUN_AS="${run_as[*]}"
unset DISPLAY
"$@"

#!/bin/bash
# Runs the program on the private X session (run-in-xsession.sh) with a private session bus
# and the accessibility bus of at-spi2-core on it, and reads its windows as a screen reader
# does (TestScreenReaderE2E.py). Skips (77) only when the accessibility bus cannot start.
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
skip() { echo "SKIP: $*"; exit 77; }
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || skip "at-spi2-core's bus launcher is not installed"
python=/usr/bin/python3 # where the distribution installs pyatspi
"$python" -c "import pyatspi" 2>/dev/null || skip "python3-pyatspi is not installed"

home=$(mktemp -d /tmp/tarvex-a11y.XXXXXX)
chmod 700 "$home"
pids=()
cleanup()
{
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[$i]}" && wait "${pids[$i]}"; done 2>/dev/null
    rm -rf "$home"
}
trap cleanup EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home XDG_DATA_HOME=$home/.local

bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 --nopidfile) ||
    skip "no session bus"
export DBUS_SESSION_BUS_ADDRESS=$(echo "$bus" | sed -n 1p)
pids+=("$(echo "$bus" | sed -n 2p)")

# The accessibility bus: the launcher owns org.a11y.Bus and starts the registry on its bus.
"$launcher" --launch-immediately >"$home/launcher.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    address=$(dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress 2>/dev/null | sed -n 's/^ *string "\(.*\)"/\1/p')
    [ -n "$address" ] && break
    sleep 0.1
done
[ -n "${address:-}" ] || skip "the accessibility bus did not start: $(cat "$home/launcher.log")"
# The registry must answer before the program registers, or it is never listed.
for _ in $(seq 100); do
    dbus-send --bus="$address" --print-reply --dest=org.a11y.atspi.Registry \
        /org/a11y/atspi/accessible/root org.freedesktop.DBus.Properties.Get \
        string:org.a11y.atspi.Accessible string:Name >/dev/null 2>&1 && break
    sleep 0.1
done

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$program" >"$home/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")
status=0
timeout 25 "$python" "$here/TestScreenReaderE2E.py" || status=1
# "Exit Tarvex" ends the program.
for _ in $(seq 50); do [ $status -eq 0 ] && kill -0 "$program_pid" 2>/dev/null && sleep 0.1; done
[ $status -eq 0 ] && kill -0 "$program_pid" 2>/dev/null && { echo "FAIL: the program did not end"; status=1; }
[ $status -eq 0 ] || cat "$home/program.log"
exit $status

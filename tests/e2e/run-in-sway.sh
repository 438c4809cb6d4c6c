#!/bin/bash
# Runs one end-to-end test program beside a private headless Wayland compositor
# (sway), ended again when the program ends, whatever its result. The program
# sees WAYLAND_DISPLAY (the socket's full path) and SWAYSOCK, and no X display
# and no session bus. sway refuses to run as root: then it runs as the user
# nobody, in a runtime folder of its own, and root connects through the path.
set -u
work=$(mktemp -d /tmp/sway-session.XXXXXX)
chmod 755 "$work"
runtime=$work/runtime
mkdir -m 700 "$runtime"
printf 'xwayland disable\noutput HEADLESS-1 resolution 1280x800\n' >"$work/config"
run_as=()
if [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$runtime"
    run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
env -i PATH="$PATH" HOME="$work" XDG_RUNTIME_DIR="$runtime" WLR_BACKENDS=headless \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman "${run_as[@]}" \
    sway -c "$work/config" >"$work/sway.log" 2>&1 &
sway=$!
finish()
{
    kill "$sway" 2>/dev/null
    wait "$sway" 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT

for _ in $(seq 600); do
    socket=$(find "$runtime" -maxdepth 1 -name 'wayland-*' -type s 2>/dev/null | head -n 1)
    ipc=$(find "$runtime" -maxdepth 1 -name 'sway-ipc.*' -type s 2>/dev/null | head -n 1)
    [ -n "$socket" ] && [ -n "$ipc" ] && break
    kill -0 "$sway" 2>/dev/null || break
    sleep 0.05
done
if [ -z "${socket:-}" ] || [ -z "${ipc:-}" ]; then
    echo "sway did not start:" >&2
    cat "$work/sway.log" >&2
    exit 1
fi
export WAYLAND_DISPLAY=$socket SWAYSOCK=$ipc
unset DISPLAY DBUS_SESSION_BUS_ADDRESS
"$@"

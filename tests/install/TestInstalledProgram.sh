#!/bin/bash
# Installs the build into a temporary prefix and runs the installed program: --version, then a
# start with "automatic" on a private X session, which must find every data file in the prefix's
# share/tarvex and write a login entry that starts the installed program file.
# Usage: TestInstalledProgram.sh BUILD_DIR SOURCE_DIR VERSION
set -u
BUILD=$1 SOURCE=$2 VERSION=$3

work=$(mktemp -d /tmp/tarvex-install.XXXXXX)
prefix=$work/usr
status=0
fail() { echo "FAIL: $*" >&2; status=1; }
prog=""
cleanup()
{
    [ -n "$prog" ] && kill "$prog" 2>/dev/null && wait "$prog" 2>/dev/null
    xsession_stop
    rm -rf "$work"
}
# shellcheck source=scripts/xsession.sh
. "$SOURCE/scripts/xsession.sh"
trap cleanup EXIT

cmake --install "$BUILD" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; echo "FAIL: cmake --install" >&2; exit 1; }

# Every file where a desktop looks for it, and nothing else.
expected=(
    bin/tarvex
    share/tarvex/Icons/file.ico share/tarvex/Icons/Website.ico share/tarvex/Icons/action.ico
    share/tarvex/Sounds/Bing.wav share/tarvex/tarvex.html
    share/applications/tarvex.desktop
    share/metainfo/org.tarvex.Tarvex.metainfo.xml
    share/man/man1/tarvex.1.gz
    share/doc/tarvex/copyright
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/tarvex.png")
done
# The key reader, started by systemd through its socket, and the question polkit asks; no
# udev rule gives anyone access to the input devices.
expected+=(libexec/tarvex-keyreader share/man/man8/tarvex-keyreader.8.gz
    lib/systemd/system/tarvex-keyreader.socket
    lib/systemd/system/tarvex-keyreader.service
    share/polkit-1/actions/org.tarvex.read-keyboards.policy)
printf '%s\n' "${expected[@]}" | sort >"$work/expected"
(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$work/installed"
diff -u "$work/expected" "$work/installed" >&2 ||
    fail "the installed files differ from the layout above (- expected, + installed)"
[ -x "$prefix/bin/tarvex" ] || fail "bin/tarvex is not executable"
[ -x "$prefix/libexec/tarvex-keyreader" ] || fail "libexec/tarvex-keyreader is not executable"
unit=$prefix/lib/systemd/system/tarvex-keyreader.service
grep -qx "ExecStart=$prefix/libexec/tarvex-keyreader" "$unit" ||
    fail "the service does not start the installed reader: $(grep ExecStart= "$unit")"
if ! systemd-analyze verify --man=no "$unit" "${unit%.service}.socket" >"$work/units.log" 2>&1 ||
    grep -v 'No such file or directory' "$work/units.log" | grep -q .; then
    cat "$work/units.log" >&2
    fail "systemd-analyze verify finds fault with the key reader's units"
fi
xmllint --noout "$prefix/share/polkit-1/actions/org.tarvex.read-keyboards.policy" ||
    fail "the polkit action is not well-formed XML"

# The installed tree as software centres read it: metainfo, launcher and icons together.
appstreamcli validate-tree --no-net "$work" >"$work/tree.log" 2>&1 ||
    { cat "$work/tree.log" >&2; fail "appstreamcli validate-tree"; }

# --version answers without a display.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$prefix/bin/tarvex" --version)
code=$?
[ $code -eq 0 ] || fail "tarvex --version ended with $code"
[ "$version" = "Tarvex $VERSION" ] || fail "tarvex --version printed '$version'"

# A start as the login entry makes it, with a home of its own.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data \
    XDG_CACHE_HOME=$work/home/cache XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME/Documents" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS
xsession_start || { echo "FAIL: could not start a private X session" >&2; exit 1; }
log=$work/program.log
QT_LOGGING_RULES="tarvex.resources.debug=true" "$prefix/bin/tarvex" automatic >"$log" 2>&1 &
prog=$!
entry=$XDG_CONFIG_HOME/autostart/tarvex.desktop
for _ in $(seq 300); do
    [ -f "$entry" ] && grep -q "Data files are read from" "$log" && break
    kill -0 "$prog" 2>/dev/null || break
    sleep 0.1
done
# The hotkeys run (the program shows its icon or its stand-in window): the program stays until
# it is asked to end.
for _ in $(seq 300); do
    [ -n "$(xdotool search --onlyvisible --pid "$prog" 2>/dev/null)" ] && break
    kill -0 "$prog" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$prog" 2>/dev/null; then
    kill -TERM "$prog"
    wait "$prog"
    code=$?
    prog=""
    [ $code -eq 0 ] || fail "the installed program ended with $code after SIGTERM"
else
    wait "$prog"
    fail "the installed program ended by itself with $? before it was asked to"
    prog=""
fi

grep -qx ".*Data files are read from $prefix/share/tarvex" "$log" ||
    fail "the program did not read its data from $prefix/share/tarvex"
grep -q "Missing resource" "$log" && fail "the installed program misses data files"
grep -qx "Exec=\"$prefix/bin/tarvex\" automatic" "$entry" ||
    fail "the login entry does not start $prefix/bin/tarvex: $(grep Exec= "$entry" 2>&1)"
[ $status -eq 0 ] && echo "installed program: all checks passed" ||
    { echo "--- program log" >&2; cat "$log" >&2; }
exit $status

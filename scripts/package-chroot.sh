#!/bin/bash
# Tries the Debian package on a fresh Debian 12 made with debootstrap (no container needed):
# `apt-get install ./tarvex_*.deb` must give a working `tarvex --version`, a launcher and the
# key reader with its units (the socket enabled) and polkit action, and no udev rule; purging
# the package (and the packages it pulled in) must leave no file behind.
# Usage: scripts/package-chroot.sh PACKAGE.deb [BASE]
# As root. BASE (made on the first run) stays untouched for later runs; each run works on a
# copy of it, removed at the end.
set -eu
DEB=$(realpath "${1:?usage: package-chroot.sh PACKAGE.deb [BASE]}")
BASE=${2:-/var/tmp/tarvex-bookworm}
ROOT=$BASE.try
MIRROR=${MIRROR:-http://deb.debian.org/debian}

if [ ! -x "$BASE/usr/bin/apt-get" ]; then
    command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap
    debootstrap --variant=minbase bookworm "$BASE" "$MIRROR"
fi
rm -rf --one-file-system "$ROOT"
cp -a "$BASE" "$ROOT"
mounted=""
cleanup()
{
    for m in $mounted; do umount "$m" 2>/dev/null || true; done
    rm -rf --one-file-system "$ROOT" "$ROOT".*.txt
}
trap cleanup EXIT
mount -t proc proc "$ROOT/proc" && mounted="$ROOT/proc"
in_root() { chroot "$ROOT" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"; }

# Everything but the package manager's own caches, lists and logs.
snapshot()
{
    (cd "$ROOT" && find . -xdev \( -path ./proc -o -path ./tmp -o -path ./var/cache \
        -o -path ./var/lib/apt -o -path ./var/lib/dpkg -o -path ./var/log \) -prune -o -print |
        sort)
}

in_root apt-get update -qq
cp "$DEB" "$ROOT/tmp/"
deb=/tmp/$(basename "$DEB")

# A fresh system: the package and what it needs, as a user installs it.
in_root apt-get install -y -qq "$deb" >/dev/null
echo "== installed: $(in_root dpkg-query -W tarvex)"
version=$(in_root tarvex --version)
echo "== tarvex --version: $version"
[ "$version" = "Tarvex $(in_root dpkg-query -W -f '${Version}' tarvex)" ]
in_root test -f /usr/share/applications/tarvex.desktop
in_root test -f /usr/share/icons/hicolor/48x48/apps/tarvex.png
echo "== launcher: $(grep -E '^(Name|Exec|Icon)=' "$ROOT/usr/share/applications/tarvex.desktop" |
    tr '\n' ' ')"
in_root test -x /usr/libexec/tarvex-keyreader
in_root test -f /usr/lib/systemd/system/tarvex-keyreader.service
in_root test -f /usr/share/polkit-1/actions/org.tarvex.read-keyboards.policy
in_root test -L /etc/systemd/system/sockets.target.wants/tarvex-keyreader.socket
echo "== key reader: $(in_root /usr/libexec/tarvex-keyreader --help 2>&1 | head -n 1 || true)"
rules=$(cd "$ROOT" && find etc/udev lib/udev usr/lib/udev -name '*tarvex*' 2>/dev/null || true)
if [ -n "$rules" ]; then
    echo "FAIL: the package installs udev rules: $rules" >&2
    exit 1
fi
echo "== no udev rule gives anyone access to the input devices"

# Removing it leaves the system as it was without it: compared with the packages it needed
# still there, since apt keeps some of those (recommended by the base system) anyway.
in_root apt-get purge -y -qq tarvex >/dev/null
snapshot >"$ROOT.before.txt"
in_root apt-get install -y -qq "$deb" >/dev/null
in_root dpkg -L tarvex >"$ROOT.files.txt"
echo "== files: $(grep -c . "$ROOT.files.txt") paths"
in_root apt-get purge -y -qq tarvex >/dev/null
snapshot >"$ROOT.after.txt"
rm -f "$ROOT$deb"
if ! diff -u "$ROOT.before.txt" "$ROOT.after.txt"; then
    echo "FAIL: purging the package left the root changed (- before, + after)" >&2
    exit 1
fi
echo "== purged: nothing left behind"

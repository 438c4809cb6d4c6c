#!/bin/bash
# What the package installs on a user's system: the key reader with its units and its polkit
# question, and no udev rule that would give anyone access to the input devices.
# Usage: scripts/check-package.sh PACKAGE.deb
set -u
deb=$1
status=0
fail()
{
    echo "FAIL: $*" >&2
    status=1
}
listing=$(dpkg-deb --contents "$deb" | awk '{ print $NF }')
for path in ./usr/bin/tarvex ./usr/libexec/tarvex-keyreader \
    ./usr/lib/systemd/system/tarvex-keyreader.socket \
    ./usr/lib/systemd/system/tarvex-keyreader.service \
    ./usr/share/polkit-1/actions/org.tarvex.read-keyboards.policy; do
    grep -qx "$path" <<<"$listing" || fail "$deb does not install $path"
done
if grep -q '/udev/' <<<"$listing"; then
    fail "$deb installs udev files: $(grep '/udev/' <<<"$listing" | tr '\n' ' ')"
fi
service=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/lib/systemd/system/tarvex-keyreader.service)
grep -qx 'ExecStart=/usr/libexec/tarvex-keyreader' <<<"$service" ||
    fail "the service does not start /usr/libexec/tarvex-keyreader"
[ $status -eq 0 ] && echo "package contents: the key reader is there, no udev rule"
exit $status

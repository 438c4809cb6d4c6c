#!/bin/bash
# Runs one end-to-end test program on a private X session of its own (Xvfb,
# openbox, trayer), ended again when the program ends, whatever its result.
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/xsession.sh
. "$here/../../scripts/xsession.sh"
xsession_start || { echo "could not start a private X session" >&2; exit 1; }
trap xsession_stop EXIT
# No session bus: tray icons use the XEmbed tray of this session.
unset DBUS_SESSION_BUS_ADDRESS
# An X11 session only: window actions must never reach the compositor of a desktop the tests
# were started from.
unset WAYLAND_DISPLAY
export XDG_SESSION_TYPE=x11
"$@"
status=$?
exit $status

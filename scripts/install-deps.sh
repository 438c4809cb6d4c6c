#!/bin/sh
# Installs the Debian packages the build, the program and the tests need; with the argument
# "fuzz", only the further ones of the fuzz targets (clang with libFuzzer, GLib for one target);
# with "package", only those of `make package` (the Debian package's lint).
# Idempotent: packages already present are not fetched again.
set -eu

PACKAGES="build-essential cmake ninja-build pkg-config ccache \
qt6-base-dev libx11-dev libxi-dev libxtst-dev libxcb1-dev libcanberra-dev \
libgl-dev xvfb xauth x11-utils x11-apps xdotool xterm openbox trayer wmctrl sxhkd xbindkeys \
dbus imagemagick xdg-utils"
# The manual page's markup, and the checks of the launcher, metadata and manual page.
PACKAGES="$PACKAGES scdoc desktop-file-utils appstream man-db"
# The translations: Qt's lupdate and lrelease, and Qt's own translations of its standard texts.
PACKAGES="$PACKAGES qt6-tools-dev qt6-l10n-tools qt6-translations-l10n"
# The key source of Wayland desktops (kernel input devices, xkbcommon layouts) and its
# end-to-end tests on a headless Wayland compositor.
PACKAGES="$PACKAGES libevdev-dev libxkbcommon-dev qt6-wayland sway foot grim wtype"
# Window actions on Wayland compositors (libwayland and wayland-scanner); the tests' stand-in
# KWin runs scripts with Qt's JavaScript engine.
PACKAGES="$PACKAGES libwayland-dev qt6-declarative-dev"
# The key reader's tests: its units checked by systemd-analyze, its polkit action by xmllint.
PACKAGES="$PACKAGES systemd libxml2-utils"
# The screen-reader test: the accessibility bus and a client that reads it.
PACKAGES="$PACKAGES at-spi2-core python3-pyatspi"
# Chords through the desktop portal's global shortcuts: the real portal frontend, and KDE
# Plasma's compositor (headless) with KDE's own portal backend, which needs Qt 5's Wayland
# platform.
PACKAGES="$PACKAGES xdg-desktop-portal kwin-wayland xdg-desktop-portal-kde qtwayland5"
# A password database of the test's own (the start without HOME).
PACKAGES="$PACKAGES libnss-wrapper"
# The font the controls' golden pictures are drawn in.
PACKAGES="$PACKAGES fonts-dejavu-core"
if [ "${1:-}" = fuzz ]; then
    PACKAGES="clang libclang-rt-dev libglib2.0-dev"
elif [ "${1:-}" = package ]; then
    PACKAGES="lintian file"
fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing

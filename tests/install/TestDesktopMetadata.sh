#!/bin/bash
# The launcher, the AppStream metadata and the manual page pass their tools' checks, and they
# agree with each other and with the program they describe.
# Usage: TestDesktopMetadata.sh BUILD_DIR SOURCE_DIR
set -u
BUILD=$1 SOURCE=$2
desktop=$SOURCE/resources/tarvex.desktop
metainfo=$BUILD/resources/org.tarvex.Tarvex.metainfo.xml
manpage=$BUILD/tarvex.1
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate --no-net $metainfo"

# man prints the warnings of the formatter (groff) on its standard error.
for page in "$manpage" "$BUILD/tarvex-keyreader.8"; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man --warnings -l $page: $warnings"
done

# The launcher starts the installed program with the icon the install gives it, and the
# metadata launches that launcher.
grep -qx "Exec=tarvex" "$desktop" || fail "the launcher does not start tarvex"
grep -qx "Icon=tarvex" "$desktop" || fail "the launcher does not show the tarvex icon"
grep -q "<launchable type=\"desktop-id\">tarvex.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch tarvex.desktop"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$BUILD/tarvex" --version | cut -d' ' -f2)
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata has no release $version"

# The project's address (the metadata's and the package's) is a real one, not a placeholder of
# the names reserved for examples.
homepage=$(sed -n 's|.*<url type="homepage">\(.*\)</url>.*|\1|p' "$metainfo")
if ! grep -qE '^https://[a-z0-9.-]+\.[a-z]{2,}(/|$)' <<<"$homepage" ||
    grep -qiE '\.(example|invalid|test|localhost)(/|$)|//([a-z0-9-]+\.)*example\.(com|net|org)(/|$)' \
        <<<"$homepage"; then
    fail "the homepage \"$homepage\" is a placeholder"
fi

# The screenshot the metadata names is in the tree and is a real picture.
shot=$(sed -n 's|.*<image>.*/\(screenshots/[^<]*\)</image>.*|\1|p' "$metainfo")
[ -n "$shot" ] || fail "the metadata names no screenshot below screenshots/"
[ -z "$shot" ] || identify "$SOURCE/resources/$shot" >/dev/null 2>&1 ||
    fail "resources/$shot is not a picture"

# Every option of the program's usage text is in the manual page.
page=$(MANWIDTH=200 man -l "$manpage" 2>/dev/null | col -b)
usage=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$BUILD/tarvex" --help)
[ -n "$usage" ] || fail "tarvex --help printed nothing"
for option in $(grep -oE '(^|[ ,|])(--?[a-z-]+|automatic)' <<<"$usage" | tr -d ' ,|' | sort -u); do
    grep -qe "$option" <<<"$page" || fail "the manual page does not mention $option"
done
grep -q "Tarvex $(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -1)" \
    <<<"$page" || fail "the manual page names another version than the metadata"

[ $status -eq 0 ] && echo "launcher, metadata and manual page: all checks passed"
exit $status

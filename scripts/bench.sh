#!/bin/bash
# Runs every benchmark binary in BUILD/bench and every bench/*.sh script.
set -u
BUILD=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for b in "$BUILD"/bench/bench_*; do
    # Programs only: the build also keeps folders of generated sources here.
    [ -f "$b" ] && [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$b" || status=1
done
for s in "$root"/bench/*.sh; do
    [ -f "$s" ] || continue
    echo "== $(basename "$s")"
    bash "$s" "$BUILD" || status=1
done
exit $status

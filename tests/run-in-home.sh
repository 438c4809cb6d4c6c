#!/bin/bash
# Runs one unit test with a fresh private HOME and XDG folders, so no test reads or writes the
# user's files or another run's leftovers; the folder goes when the test ends.
home=$(mktemp -d) || exit 1
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
export XDG_CACHE_HOME=$home/.cache XDG_RUNTIME_DIR=$home/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$@"

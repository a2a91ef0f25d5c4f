#!/usr/bin/env bash
# A prefix made a moment ago, with no display, opens a window at once: its desktop must not
# have started before the prefix was told to fall back to the null driver.
#   fresh_prefix_opens_windows.sh RUNNER WINDOW_PROGRAM
set -euo pipefail
runner=$1
program=$2
work="$(mktemp -d)"
export ZARNEL_WINEPREFIX="$work/wineprefix"
trap '"$runner" stop; rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY
"$runner" run "$program" >"$work/out" 2>&1 || { cat "$work/out"; exit 1; }

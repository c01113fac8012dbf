#!/usr/bin/env bash
# Starts the program's window when a display is there; without one, or when the
# window cannot reach the display, shows the sample profile as text and renders
# it as the window would show it.
set -uo pipefail
build=${1:-build}
bin="$build/bin"
sample="$bin/Data/ivanova.cry"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$bin/tavo12f" ]; then
  "$bin/tavo12f"
  status=$?
  [ "$status" -eq 0 ] && exit 0
  echo "The window ended with status $status; showing the sample profile with tavo12f-cli instead."
else
  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): showing the sample profile with tavo12f-cli instead."
fi
echo
"$bin/tavo12f-cli" report --encoding utf-8 "$sample"
picture="$build/sample-profile.png"
"$bin/tavo12f-cli" render --sheet -o "$picture" "$sample"
echo
echo "The window as it would show this profile: $picture"

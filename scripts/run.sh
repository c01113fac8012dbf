#!/usr/bin/env bash
# Starts the program, or without a display shows the sample profile as text.
set -euo pipefail
build=${1:-build}
bin="$build/bin"
sample="$bin/Data/ivanova.cry"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$bin/tavo12f" ]; then
  exec "$bin/tavo12f"
fi
echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): showing the sample profile with tavo12f-cli instead."
echo
exec "$bin/tavo12f-cli" report --encoding utf-8 "$sample"

#!/usr/bin/env bash
# Opens a sample the way a user does, on a virtual screen, and photographs it:
# starts the program, clicks Open in the menu bar, types the sample's name into
# the open dialog, presses Enter and takes a screenshot of the whole screen.
#
#   scripts/try-under-xvfb.sh SHOT.png [SAMPLE] [BUILD_DIR]
#
# SAMPLE is a file name in the dialog's start folder (bin/Data), ivanova.cry
# by default. TAVO_KEEP_SIZE=1 leaves the window at the size it opens with;
# TAVO_DIALOG_SHOT=FILE.png also photographs the open dialog; TAVO_SCREEN=800x600
# sets the virtual screen (1280x1024 unless told); TAVO_KEYS="F10 Right Down"
# presses those keys (xdotool key names) in the window before the screenshot.
# Needs xvfb-run, xdotool and ImageMagick's import.
set -euo pipefail

[ $# -ge 1 ] || { echo "usage: $0 SHOT.png [SAMPLE] [BUILD_DIR]" >&2; exit 2; }
shot=$(realpath -m "$1")
sample=${2:-ivanova.cry}
build=$(realpath "${3:-build}")

# Run the rest inside a fresh virtual screen.
if [ -z "${TAVO_ON_XVFB:-}" ]; then
  exec env TAVO_ON_XVFB=1 xvfb-run -a -s "-screen 0 ${TAVO_SCREEN:-1280x1024}x24" "$0" "$@"
fi

program="$build/bin/tavo12f"
[ -x "$program" ] || { echo "$program is not built" >&2; exit 1; }

"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

. "$(dirname "$0")/wait-for-window.sh"

main=$(wait_for_window '^TAVO\.12Fmod\.An - ')
# No window manager runs here to grant the maximized state the window asks
# for, so give it the whole screen as a desktop would, unless told not to.
if [ -z "${TAVO_KEEP_SIZE:-}" ]; then
  xdotool windowmove --sync "$main" 0 0 2>/dev/null || true
  xdotool windowsize --sync "$main" 1280 1024 2>/dev/null || true
fi
sleep 1
# "Open" is the first item of the menu bar, at the window's top left.
xdotool mousemove --window "$main" 20 10 click 1

dialog=$(wait_for_window 'Построение Мотивационного Профиля Зелю-Карбона')
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
sleep 0.5
if [ -n "${TAVO_DIALOG_SHOT:-}" ]; then
  import -window root "$(realpath -m "$TAVO_DIALOG_SHOT")"
fi
# The file name field has the focus when the dialog opens.
xdotool type --delay 40 "$sample"
xdotool key Return

# Give the load and the repaint time; move the pointer out of the way.
sleep 2
xdotool mousemove 1279 1023
sleep 0.5
if [ -n "${TAVO_KEYS:-}" ]; then
  for key in $TAVO_KEYS; do
    xdotool key --window "$main" "$key"
    sleep 0.3
  done
  sleep 0.5
fi
import -window root "$shot"
echo "screenshot: $shot"

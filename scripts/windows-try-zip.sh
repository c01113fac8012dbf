#!/usr/bin/env bash
# The Windows zip as a user meets it, under Wine on a virtual screen: unpacks
# it into an empty folder and, for every sample of its Data\ folder, starts
# tavo12f.exe, opens the sample through the Open dialog by typing its name,
# saves the report (Save > Analysis) and the chart (Save > Plot) into
# Results\, compares the report byte for byte with the Linux build's
# (tests/data/expected) and photographs the screen.
#
#   scripts/windows-try-zip.sh ZIP OUT [SAMPLE]...
#
# SAMPLE names files of Data\ to try instead of all of them.
# OUT gets the unpacked folder (program/), a Wine prefix of its own (wine/),
# the saved files and a screenshot per sample (<sample>.rtf, .gif, .png).
# Needs wine, xvfb-run, xdotool, unzip and ImageMagick's import and identify.
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 ZIP OUT [SAMPLE]..." >&2; exit 2; }
# Run the rest inside a fresh virtual screen.
if [ -z "${TAVO_ON_XVFB:-}" ]; then
  exec env TAVO_ON_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
zip=$(realpath "$1")
out=$(realpath -m "$2")
shift 2
here=$(cd "$(dirname "$0")/.." && pwd)

source "$here/scripts/wine-prefix.sh"
source "$here/scripts/wait-for-window.sh"

rm -rf "$out/program"
mkdir -p "$out/program"
(cd "$out/program" && unzip -q "$zip")
folder=$(find "$out/program" -mindepth 1 -maxdepth 1 -type d)
[ -f "$folder/tavo12f.exe" ] || { echo "no tavo12f.exe in the zip's folder" >&2; exit 1; }
wine_prefix_ready "$out/wine"
trap 'wineserver -k 2>/dev/null || true' EXIT

# Waits up to 10 s for a file ending in .$1 in Results\, and prints its path.
wait_for_saved() {
  local file
  for _ in $(seq 50); do
    file=$(find "$folder/Results" -maxdepth 1 -name "*.$1" -size +0 | head -n 1)
    if [ -n "$file" ]; then sleep 0.5; echo "$file"; return 0; fi
    sleep 0.2
  done
  return 1
}

# Accepts the save dialog titled $1 with the name it suggests.
save_with_suggested_name() {
  local dialog
  if ! dialog=$(wait_for_window "$1" 30); then
    import -window root "$out/$sample-no-dialog.png"
    return 1
  fi
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  sleep 0.5
  xdotool key Return
}

[ $# -gt 0 ] || set -- $(cd "$folder/Data" && ls)
status=0
for sample in "$@"; do
  echo "== $sample"
  rm -f "$folder"/Results/*
  (cd "$folder" && exec wine tavo12f.exe) &
  main=$(wait_for_window '^TAVO\.12Fmod\.An - ' 30)
  # No window manager runs here to grant the maximized state the window asks
  # for; give it the whole screen as Windows would.
  xdotool windowmove --sync "$main" 0 0 2>/dev/null || true
  xdotool windowsize --sync "$main" 1280 1024 2>/dev/null || true
  sleep 1
  # "Open" is the first item of the menu bar, at the window's top left.
  xdotool mousemove --window "$main" 20 10 click 1
  dialog=$(wait_for_window 'Построение Мотивационного Профиля Зелю-Карбона' 30)
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  sleep 0.5
  xdotool type --delay 40 "$sample"
  xdotool key Return
  sleep 2

  # Save > Analysis, then Save > Plot: a click on "Save", the second item
  # of the menu bar, and the item's letter.
  xdotool mousemove --window "$main" 95 10 click 1
  sleep 0.5
  xdotool key a
  save_with_suggested_name 'Запись мотивационного профиля в rtf' || status=1
  report=$(wait_for_saved rtf || true)
  xdotool mousemove --window "$main" 95 10 click 1
  sleep 0.5
  xdotool key p
  save_with_suggested_name 'Запись мотивационного профиля в файл.gif' || status=1
  picture=$(wait_for_saved gif || true)

  xdotool mousemove 1279 1023
  sleep 0.5
  import -window root "$out/$sample.png"

  expected="$here/tests/data/expected/$sample.report"
  if [ -n "$report" ]; then
    cp "$report" "$out/$sample.rtf"
    if cmp -s "$report" "$expected"; then
      echo "report: $(basename "$report"), identical to the Linux build's"
    else
      echo "report: $(basename "$report") differs from $expected" >&2
      status=1
    fi
  else
    echo "report: none was saved" >&2
    status=1
  fi
  if [ -n "$picture" ]; then
    cp "$picture" "$out/$sample.gif"
    echo "picture: $(basename "$picture"), $(identify -format '%m %wx%h' "$picture[0]")"
  else
    echo "picture: none was saved" >&2
    status=1
  fi
  echo "screenshot: $out/$sample.png"

  xdotool windowfocus --sync "$main" 2>/dev/null || true
  xdotool key alt+F4
  timeout 20 wineserver -w || { echo "the window did not close" >&2; wineserver -k; status=1; }
done
exit $status

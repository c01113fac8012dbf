#!/usr/bin/env bash
# Installs the .deb in a fresh Debian 12 root made with debootstrap, as apt
# would on a user's machine, and runs it there as a normal user: the companion
# reads an installed sample; the window opens a sample given on its command
# line on a virtual screen, shows its help with F1 (the root has no viewer of
# compiled help) and saves the report where Save suggests. Screenshots of the
# window go to OUT.
#
#   scripts/check-package-in-clean-root.sh PACKAGE.deb [OUT]
#
# Needs root and Debian's package mirrors. The bare root is kept in
# TAVO_ROOT_CACHE (/var/tmp/tavo12f-bookworm-base) for later runs; each run
# works on a copy of it. Too slow for `make test`.
set -euo pipefail

[ $# -ge 1 ] || { echo "usage: $0 PACKAGE.deb [OUT]" >&2; exit 2; }
deb=$(realpath "$1")
out=$(realpath -m "${2:-$(dirname "$deb")/clean-root}")
[ "$(id -u)" -eq 0 ] || { echo "$0 needs root (debootstrap, chroot)" >&2; exit 1; }
mkdir -p "$out"

command -v debootstrap >/dev/null || apt-get install -y -qq -o DPkg::Lock::Timeout=600 debootstrap >/dev/null
cache=${TAVO_ROOT_CACHE:-/var/tmp/tavo12f-bookworm-base}
if [ ! -x "$cache/bin/sh" ]; then
  echo "Making a bare Debian 12 root in $cache"
  debootstrap --variant=minbase bookworm "$cache" >/dev/null
fi

root=$(mktemp -d /var/tmp/tavo12f-root.XXXXXX)
cleanup() {
  # Whatever screenshots were taken, also when a step failed.
  for shot in window help save-dialog; do
    [ -f "$root/tmp/$shot.png" ] && cp "$root/tmp/$shot.png" "$out/$shot.png"
  done
  umount "$root/proc" 2>/dev/null || true
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT
cp -a "$cache/." "$root/"
mount -t proc proc "$root/proc"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
as_user() { chroot "$root" su - tester -c "$1"; }

echo "== apt-get install ./$(basename "$deb") (with its recommendations, as apt does by default)"
in_root apt-get update -qq
in_root apt-get install -y -qq "/tmp/$(basename "$deb")" >/dev/null
in_root dpkg -s tavo12f | grep -E '^(Package|Version|Depends|Recommends):'
in_root useradd -m -s /bin/bash tester

echo "== as a normal user: tavo12f-cli report, --help, --version"
as_user 'id -un; tavo12f-cli report --encoding utf-8 /usr/share/tavo12f/Data/ivanova.cry | head -n 4'
as_user 'tavo12f --version; tavo12f --help | head -n 1'
as_user 'man -w tavo12f tavo12f-cli 2>/dev/null || ls /usr/share/man/man1/tavo12f*'

echo "== the window on a virtual screen, as the same user"
# Tools of this check only, not of the package.
in_root apt-get install -y -qq --no-install-recommends xvfb xauth xdotool imagemagick >/dev/null
cat > "$root/tmp/window.sh" <<'SCRIPT'
#!/bin/sh
set -e
wait_for() {
  for _ in $(seq 50); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  echo "no window like '$1'" >&2
  return 1
}
tavo12f /usr/share/tavo12f/Data/ivanova.cry &
main=$(wait_for '^TAVO\.12Fmod\.An - ')
xdotool windowmove --sync "$main" 0 0
sleep 1
import -window root /tmp/window.png
# F1: no viewer of compiled help here, so the program's own help window.
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key F1
help=$(wait_for 'справка')
xdotool windowmove --sync "$help" 200 140
sleep 1
import -window root /tmp/help.png
xdotool windowclose "$help" 2>/dev/null || xdotool windowunmap "$help"
# Save > Analysis, then Enter in the dialog: the suggested name as it stands.
xdotool mousemove --window "$main" 100 10 click 1
sleep 0.5
xdotool mousemove --window "$main" 120 36 click 1
dialog=$(wait_for 'rtf.файл')
sleep 0.5
import -window root /tmp/save-dialog.png
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool key Return
sleep 1
xdotool windowclose "$main" 2>/dev/null || kill %1
SCRIPT
chmod 755 "$root/tmp/window.sh"
# A user's session has a UTF-8 locale; the window titles are Russian.
as_user 'LANG=C.UTF-8 xvfb-run -a -s "-screen 0 1280x1024x24" /tmp/window.sh'
echo "== what Save wrote"
as_user 'ls -l ~/Documents/"TAVO.12F Results"/ || ls -lR ~'
saved=$(as_user 'stat -c %s ~/Documents/"TAVO.12F Results"/*12Fmod.rtf')
[ "$saved" -gt 0 ] || { echo "the report was not saved" >&2; exit 1; }
echo "screenshots: $out/window.png $out/help.png $out/save-dialog.png"
echo "The package installs and runs as a normal user in a clean Debian 12 root."

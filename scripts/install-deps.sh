#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Only missing packages are installed, so a ready machine pays nothing.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkgconf
  qt6-base-dev libgl-dev
  libgif-dev giflib-tools
  libgtest-dev libgmock-dev libbenchmark-dev python3
  clang libclang-rt-14-dev
  fp-utils libchm-bin
  xvfb xauth imagemagick xdotool
  poppler-utils
  fonts-dejavu-core fonts-liberation
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs; this is the one list.
#   install-deps.sh run      building and running the program (make run)
#   install-deps.sh package  that and building the .deb (make package)
#   install-deps.sh [all]    everything, tests included (make test)
#   install-deps.sh --windows  all that and the Windows cross build and its
#                            tests under Wine (make windows, make test-windows)
# Only missing packages are installed, so a ready machine pays nothing. As a
# normal user without sudo it names the missing packages and stops.
set -euo pipefail

# Building the program and running it: the compiler, the header-only CLI11
# and nlohmann-json the companion is built with, Qt, giflib, the faces
# the window is drawn with and Qt's window-system plugins.
run=(
  cmake ninja-build g++ make pkgconf
  libcli11-dev nlohmann-json3-dev
  qt6-base-dev qt6-qpa-plugins libgl-dev libgif-dev
  fonts-liberation
)
# Building the .deb: dpkg-shlibdeps computes its dependencies, file finds the
# binaries; the help compiler (chmcmd), so the package carries the compiled
# help for desktops that have a viewer of it.
package=(dpkg-dev file fp-utils)
# The tests: GoogleTest and Google Benchmark (python3 for its table); clang
# for the fuzzers; a reader of the compiled help file; xdg-utils for the
# desktop's viewer look-up; a virtual screen and tools to drive it and
# photograph it (scripts/try-under-xvfb.sh); pdftotext and pdftoppm for the
# result sheet's tests;
# a second face family the window's tests run with.
test=(
  libgtest-dev libgmock-dev libbenchmark-dev python3
  clang libclang-rt-14-dev
  libchm-bin
  xdg-utils
  xvfb xauth imagemagick xdotool poppler-utils
  fonts-dejavu-core
)

# The Windows cross build: mingw-w64, GoogleTest's sources to build for
# Windows, Wine and the locales its tests run in; unzip, for trying the zip
# as a user meets it (scripts/windows-try-zip.sh).
windows=(g++-mingw-w64-x86-64-posix googletest wine wine64 locales unzip)

case "${1:-all}" in
  run) packages=("${run[@]}") ;;
  package) packages=("${run[@]}" "${package[@]}") ;;
  all) packages=("${run[@]}" "${package[@]}" "${test[@]}") ;;
  --windows | windows) packages=("${run[@]}" "${package[@]}" "${test[@]}" "${windows[@]}") ;;
  *) echo "usage: $0 [run|package|all|--windows]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "Missing packages; as root run: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

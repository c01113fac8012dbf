#!/usr/bin/env bash
# The Windows program, cross-built here and tested under Wine.
#   windows.sh build BUILD QT ARCHIVE   cross-builds into BUILD, lays out the
#                                       program folder and zips it
#   windows.sh test  BUILD QT ARCHIVE   runs the tests under Wine, once with a
#                                       Russian and once with an English locale
# QT is the Qt for Windows folder; when it is missing it is unpacked from
# ARCHIVE into its parent folder.
set -euo pipefail
mode=$1 build=$2 qt=$3 archive=$4
source "$(dirname "$0")/wine-prefix.sh"

if [ ! -d "$qt/lib/cmake/Qt6" ]; then
  if [ ! -f "$archive" ]; then
    echo "No Qt for Windows: $archive is missing; ../shared/toolchains/build-qt-mingw.sh rebuilds it." >&2
    exit 1
  fi
  mkdir -p "$(dirname "$qt")"
  echo "Unpacking $archive into $(dirname "$qt")"
  tar -C "$(dirname "$qt")" -xJf "$archive"
fi
build=$(mkdir -p "$build" && cd "$build" && pwd)
qt=$(cd "$qt" && pwd)

build_windows() {
  # The help pictures and the help file come from the native build (make build).
  local native=$PWD/${NATIVE_BUILD:-build}
  cmake --build "$native" --target tavo12f_help >/dev/null
  cmake -S . -B "$build" -G Ninja \
    -DTAVO_HELP_PICTURES="$native/docs/help/pictures" \
    -DTAVO_PREBUILT_HELP="$native/bin/TAVO.12F.chm" \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
    -DCMAKE_PREFIX_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DTAVO_BENCHMARKS=OFF >/dev/null
  cmake --build "$build" -j 2
  local version
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
  local name="tavo12f-$version-win64"
  rm -rf "${build:?}/package" "$build/$name.zip"
  cmake --install "$build" --prefix "$build/package/$name" >/dev/null
  (cd "$build/package" && cmake -E tar cf "$build/$name.zip" --format=zip "$name")
  echo "Windows program folder: $build/package/$name"
  echo "Windows zip: $build/$name.zip"
}

# Glibc locales of our own, so Wine can take the ANSI code page from LANG
# even where the machine has generated none.
make_locale() {
  local name=$1 input=$2
  mkdir -p "$build/locale"
  [ -d "$build/locale/$name" ] || localedef -i "$input" -f UTF-8 "$build/locale/$name" 2>/dev/null || true
  [ -d "$build/locale/$name" ] || { echo "Cannot make the locale $name with localedef." >&2; exit 1; }
}

test_windows() {
  export LOCPATH="$build/locale"
  make_locale ru_RU.UTF-8 ru_RU
  make_locale en_US.UTF-8 en_US
  wine_prefix_ready "$build/wine"
  # Qt finds its plugins relative to the Qt6Core.dll it loads.
  WINEPATH="$(winepath -w "$qt/bin" 2>/dev/null)"
  export WINEPATH
  # Each run is a Wine session of its own, on its own X server: a session
  # left over from an earlier one would keep its desktop on a display that
  # is gone, and its locale.
  end_session() { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }
  trap end_session EXIT
  local status=0
  for run in "ru_RU.UTF-8 1251" "en_US.UTF-8 1252"; do
    set -- $run
    echo "== Windows tests under Wine, LANG=$1 (ANSI code page $2)"
    end_session
    LANG=$1 LC_ALL=$1 TAVO_EXPECTED_ACP=$2 \
      xvfb-run -a -s "-screen 0 1280x1024x24" \
      ctest --test-dir "$build" --output-on-failure --timeout 300 || status=1
  done
  end_session
  return $status
}

case $mode in
  build) build_windows ;;
  test) test_windows ;;
  *) echo "usage: $0 build|test BUILD QT ARCHIVE" >&2; exit 2 ;;
esac

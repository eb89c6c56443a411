#!/usr/bin/env bash
# Builds static libpng and libjpeg(-turbo) for a cross target from Debian's own
# source packages, into build/deps/<target>. A second run with the same
# sources does nothing.
#   scripts/build-deps.sh win64|win32|i386
set -euo pipefail
target=${1:?usage: build-deps.sh win64|win32|i386}
repo=$(cd "$(dirname "$0")/.." && pwd)
deps=$repo/build/deps
src=$deps/src
prefix=$deps/$target

case $target in
  win64) toolchain=$repo/cmake/toolchains/mingw-w64-x86_64.cmake ;;
  win32) toolchain=$repo/cmake/toolchains/mingw-w64-i686.cmake ;;
  i386) toolchain=$repo/cmake/toolchains/linux-i386.cmake ;;
  *) echo "build-deps: unknown target $target" >&2; exit 2 ;;
esac

# Unpacks a Debian source package once. The newest version listed may not be
# on the mirror yet (security updates), so older listed versions are tried too.
fetch() {
  local pkg=$1 dir
  dir=$(find "$src" -maxdepth 1 -type d -name "$pkg-*" 2>/dev/null | head -n 1)
  if [ -z "$dir" ]; then
    mkdir -p "$src"
    local v
    for v in $(apt-cache showsrc "$pkg" | awk '/^Version:/ {print $2}' | sort -Vru); do
      if (cd "$src" && apt-get source -qq "$pkg=$v" >/dev/null 2>&1); then break; fi
    done
    dir=$(find "$src" -maxdepth 1 -type d -name "$pkg-*" | head -n 1)
    [ -n "$dir" ] || { echo "build-deps: could not fetch the source of $pkg" >&2; exit 1; }
  fi
  echo "$dir"
}

png_src=$(fetch libpng1.6)
jpeg_src=$(fetch libjpeg-turbo)
stamp=$prefix/.built-$(basename "$png_src")-$(basename "$jpeg_src")
if [ -f "$stamp" ]; then
  echo "build-deps: $target up to date"
  exit 0
fi

common=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain"
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR="$prefix/lib"
        -DCMAKE_POSITION_INDEPENDENT_CODE=ON)

echo "build-deps: building libpng and libjpeg for $target"
log=$deps/work/$target.log
mkdir -p "$deps/work" && : >"$log"
quiet() { "$@" >>"$log" 2>&1 || { echo "build-deps: failed: $* (see $log)" >&2; exit 1; }; }
quiet cmake -Wno-dev -S "$png_src" -B "$deps/work/$target/png" "${common[@]}" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_PROGRAMS=ON \
  -DSKIP_INSTALL_FILES=ON
quiet cmake --build "$deps/work/$target/png" --target install

quiet cmake -Wno-dev -S "$jpeg_src" -B "$deps/work/$target/jpeg" "${common[@]}" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
quiet cmake --build "$deps/work/$target/jpeg" --target install

rm -f "$prefix"/.built-*
touch "$stamp"
echo "build-deps: $target ready in $prefix"

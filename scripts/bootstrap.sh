#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the tools need.
# Idempotent and quick when everything is already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config dpkg-dev clang-format
  googletest libgtest-dev libbenchmark-dev
  libpng-dev libjpeg62-turbo-dev zlib1g-dev libsndfile1-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
  wine64 qemu-user g++-multilib lib32z1-dev
  libpixman-1-dev libspng-dev
  libx11-dev xvfb x11-apps sox
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo

if [ ${#missing[@]} -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# apt-get source needs deb-src entries; mirror whatever the machine already uses.
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  src=/etc/apt/sources.list.d/debian.sources
  if [ -f "$src" ]; then
    sed 's/^Types:.*/Types: deb-src/' "$src" | $SUDO tee /etc/apt/sources.list.d/corvalent-deb-src.sources >/dev/null
  elif [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | $SUDO tee /etc/apt/sources.list.d/corvalent-deb-src.list >/dev/null
  fi
  $SUDO apt-get update -qq
fi
echo "bootstrap: packages ready"

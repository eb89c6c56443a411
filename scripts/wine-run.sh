#!/usr/bin/env bash
# Runs a Windows executable under wine64 with a private prefix inside the build
# tree, prepared once, and without Wine's debug chatter.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${CORVALENT_WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/.prepared" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w || true
  touch "$WINEPREFIX/.prepared"
fi
exec wine64 "$@"

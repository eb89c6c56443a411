#!/usr/bin/env bash
# Runs a Windows executable under wine64 with a private prefix inside the build
# tree, prepared once, and without Wine's debug chatter.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${CORVALENT_WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Debian's wine64 package keeps its programs out of PATH.
export PATH=/usr/lib/wine:$PATH
wine=$(command -v wine64 || command -v wine)
mkdir -p "$WINEPREFIX"
exec 9>"$WINEPREFIX/.lock"
flock 9
if [ ! -f "$WINEPREFIX/.prepared" ]; then
  "$wine" wineboot --init >/dev/null 2>&1 || true
  wineserver -w 2>/dev/null || wineserver64 -w 2>/dev/null || true
  touch "$WINEPREFIX/.prepared"
fi
flock -u 9
exec "$wine" "$@"

#!/usr/bin/env bash
# Sets up everything and runs every test on every target:
#   linux        native build, unit tests and protocol tests
#   linux-asan   the same under AddressSanitizer and UndefinedBehaviorSanitizer
#   win64        cross build, the same tests under wine64
#   win32        cross build (this machine cannot run 32-bit Windows programs)
#   linux-i386   static i386 build, tests under qemu-i386
# then the cross-target checks. Exits non-zero when any target fails.
#   scripts/test.sh [preset ...]
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"

bash scripts/bootstrap.sh || exit 1
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(linux linux-asan win64 win32 linux-i386)
jobs=$(nproc)

passed=0
failed=0
failures=()
step() {
  local name=$1
  shift
  echo "=== $name"
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    failures+=("$name")
  fi
}

build_and_test() {
  local preset=$1
  case $preset in
    win64) bash scripts/build-deps.sh win64 || return 1 ;;
    win32) bash scripts/build-deps.sh win32 || return 1 ;;
    linux-i386) bash scripts/build-deps.sh i386 || return 1 ;;
  esac
  cmake --preset "$preset" >/dev/null || return 1
  cmake --build --preset "$preset" -j "$jobs" || return 1
  [ "$preset" = win32 ] && return 0
  ctest --preset "$preset" -j "$jobs"
}

for preset in "${presets[@]}"; do
  step "$preset" build_and_test "$preset"
done

if [ -x scripts/cross-check.sh ] && [ $# -eq 0 ]; then
  step cross-check scripts/cross-check.sh
fi

echo
[ $failed -eq 0 ] || echo "failed: ${failures[*]}"
echo "targets: $passed passed, $failed failed"
[ $failed -eq 0 ]

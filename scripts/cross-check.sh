#!/usr/bin/env bash
# Checks that the targets agree with each other:
#   - the same renders through Corvalent.so (Linux) and Corvalent_x64.dll (the
#     Windows render host under wine64) give the same samples;
#   - Corvalent_x64.dll and Corvalent_x86.dll export exactly VSTPluginMain and
#     main, undecorated, and import only Windows system DLLs;
#   - the binding's protocol tests built for i386 Linux pass under qemu-i386.
#   scripts/cross-check.sh [LINUX_DIR WIN64_DIR WIN32_DIR [I386_DIR]]
# The directories default to the presets' build trees under build/.
#
# Sample agreement: both modules are built with -ffp-contract=off from the same
# source, and the demo riff is synthesized without libm, so every render has
# been bit-identical. The only legitimate source of difference is the C
# run-time's sin, cos, sinh, exp and pow, which enter only the filter and level
# coefficients; a last-bit difference there moves output samples by well under
# 1e-6 of full scale (a coefficient error of 2^-52 amplified by the gain of the
# voicing cascade). MAX_DIFF is that bound.
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
linux=${1:-build/linux}
win64=${2:-build/win64}
win32=${3:-build/win32}
i386=${4:-build/linux-i386}
max_diff=${MAX_DIFF:-0.000001}

failures=0
fail() {
  echo "cross-check: $*" >&2
  failures=$((failures + 1))
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One line per render: the options given to corvalent-render.
renders=(
  "--set Distortion=0 --set 6=0"
  "--set Mode=0.77 --set Distortion=0 --ramp Pitch=0:1:0:2"
  "--set Mode=0.3 --set Pitch=1 --set Distortion=0"
  "--set 6=0 --set Drive=0.8 --set Tone=0.3"
  "--set Mode=0.77 --ramp Pitch=0:1:0:2 --cc-ramp 9=0:127:1:5 --cc 3:13:0"
  "--set Mode=0.1 --set Pitch=0.6 --process double --block 300"
  "--set Mode=0.9 --set Pitch=0.4 --process accumulate --block 64"
)

compare_renders() {
  local linux_host=$linux/corvalent-render win_host=$win64/corvalent-render.exe
  [ -x "$linux_host" ] && [ -f "$linux/Corvalent.so" ] || { fail "no Linux build in $linux"; return; }
  [ -f "$win_host" ] && [ -f "$win64/Corvalent_x64.dll" ] || { fail "no win64 build in $win64"; return; }
  local i=0 args
  for args in "${renders[@]}"; do
    i=$((i + 1))
    # shellcheck disable=SC2086
    "$linux_host" --quiet $args --out "$work/linux$i.raw" || { fail "Linux render failed: $args"; continue; }
    # shellcheck disable=SC2086
    bash scripts/wine-run.sh "$win_host" --quiet $args --out "Z:$work/win$i.raw" ||
      { fail "Windows render failed: $args"; continue; }
    if cmp -s "$work/linux$i.raw" "$work/win$i.raw"; then
      echo "render $i identical: $args"
      continue
    fi
    local diff
    diff=$(sox -t f32 -r 48000 -c 2 "$work/linux$i.raw" -t f32 -r 48000 -c 2 -v -1 \
      "$work/win$i.raw" -m -n stat 2>&1 | awk '/Maximum amplitude|Minimum amplitude/ {
        v = $3 < 0 ? -$3 : $3; if (v > m) m = v } END { printf "%.9f", m }')
    if awk -v d="$diff" -v m="$max_diff" 'BEGIN { exit !(d <= m) }'; then
      echo "render $i within $max_diff (largest difference $diff): $args"
    else
      fail "render $i differs by $diff (bound $max_diff): $args"
    fi
  done
}

# Windows system DLLs a plug-in may import; anything else is a run-time that
# the host machine may not have.
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|comctl32|wininet|msvcrt|ntdll|ws2_32|msimg32|winmm|shlwapi)\.dll$'

check_dll() {
  local objdump=$1 dll=$2
  [ -f "$dll" ] || { fail "missing $dll"; return; }
  local dump exports imports
  dump=$("$objdump" -p "$dll") || { fail "cannot read $dll"; return; }
  exports=$(awk '/\[Ordinal\/Name Pointer\] Table/ { on = 1; next } on && /^\t\[/ { print $NF } on && !/^\t\[/ { on = 0 }' <<<"$dump" | LC_ALL=C sort | tr '\n' ' ')
  [ "$exports" = "VSTPluginMain main " ] || fail "$dll exports '$exports', not exactly VSTPluginMain and main"
  imports=$(awk '/DLL Name:/ { print tolower($3) }' <<<"$dump")
  local bad
  bad=$(grep -Ev "$system_dlls" <<<"$imports" | tr '\n' ' ')
  [ -z "$bad" ] || fail "$dll imports non-system DLLs: $bad"
  echo "$dll: exports $exports; imports $(tr '\n' ' ' <<<"$imports")"
}

run_i386_tests() {
  local tests=$i386/tests/vst/vst_tests
  [ -x "$tests" ] || { fail "no i386 build of vst_tests in $i386"; return; }
  qemu-i386 "$tests" --gtest_brief=1 >"$work/i386.log" 2>&1 || { cat "$work/i386.log"; fail "i386 vst_tests failed"; return; }
  echo "i386 vst_tests: $(grep -E 'PASSED' "$work/i386.log")"
}

compare_renders
check_dll x86_64-w64-mingw32-objdump "$win64/Corvalent_x64.dll"
check_dll i686-w64-mingw32-objdump "$win32/Corvalent_x86.dll"
run_i386_tests

[ $failures -eq 0 ] || { echo "cross-check: $failures failed" >&2; exit 1; }
echo "cross-check: all passed"

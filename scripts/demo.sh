#!/usr/bin/env bash
# Builds the plug-in and the render host for Linux and renders a set of demo
# files through the plug-in: the built-in plucked-guitar riff, or the WAV file
# given as the first argument.
#   scripts/demo.sh [input.wav] [output-dir]
# The output folder defaults to out/demo (or $CORVALENT_DEMO_OUT).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
input=${1:-}
out=${2:-${CORVALENT_DEMO_OUT:-$repo/out/demo}}
if [ -n "$input" ]; then
  [ -f "$input" ] || { echo "demo: no such file: $input" >&2; exit 1; }
  input=$(cd "$(dirname "$input")" && pwd)/$(basename "$input")
fi
mkdir -p "$out"
out=$(cd "$out" && pwd)

cd "$repo"
bash scripts/bootstrap.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target Corvalent corvalent-render

render=$repo/build/linux/corvalent-render
source_args=()
[ -z "$input" ] || source_args=(--in "$input")

# name | what it shows | options
demos=(
  "dry|both foot switches off: the input as it is|--set Distortion=0 --set 6=0"
  "octave-up-sweep|pitch only, unison to octave up, pedal swept heel to toe from 0.5 s to 2.5 s|--set Mode=0.77 --set Distortion=0 --ramp Pitch=0:1:0.5:2.5"
  "harmony-fifth|pitch only, a fifth above added to the dry signal|--set Mode=0.31 --set Pitch=0 --set Distortion=0"
  "drive|drive only, hotter than the preset|--set 6=0 --set Drive=0.7 --set Level=0.55 --set Tone=0.6"
  "octave-drive|both sections: the pedal sweep into the drive|--set Mode=0.77 --ramp Pitch=0:1:0.5:2.5 --set Drive=0.6 --set Level=0.6"
)

echo "demo: rendering into $out"
for demo in "${demos[@]}"; do
  IFS='|' read -r name what options <<<"$demo"
  echo "  $name.wav: $what"
  # shellcheck disable=SC2086
  "$render" "${source_args[@]}" $options --out "$out/$name.wav"
done
echo "demo: done"

#!/usr/bin/env bash
# Runs every shipped level's solution and every recorded replay test run with
# the native harness and with the harness built for node, and checks that both
# leave byte for byte the same dumps, pictures, grids, terrains, messages and status.
# Usage: cross_platform.sh NATIVE_BUILD_DIR WASM_BUILD_DIR [RECORDED_RUNS_DIR]
set -euo pipefail
native=$(realpath "$1")
wasm=$(realpath "$2")/eggsodus-replay.js
recorded=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(realpath "$2")/cross
rm -rf "$work" && mkdir -p "$work"

# One run on both sides: folder, arguments (as the shell reads them).
compare() {
  local from=$1 arguments=$2 name=$3
  for side in native wasm; do
    rm -rf "$work/$name-$side"
    cp -r "$from" "$work/$name-$side"
  done
  (cd "$work/$name-native" && eval "'$native/eggsodus-replay' $arguments" >out.txt 2>err.txt; echo $? >status)
  (cd "$work/$name-wasm" && eval "node --no-experimental-fetch '$wasm' $arguments" >out.txt 2>err.txt; echo $? >status)
  if diff -r -q "$work/$name-native" "$work/$name-wasm" >"$work/$name.diff"; then
    rm -rf "$work/$name-native" "$work/$name-wasm" "$work/$name.diff"
    return 0
  fi
  echo "differs: $name ($from, $arguments)"
  cat "$work/$name.diff"
  return 1
}
export -f compare
export native wasm work

jobs=()
# The shipped levels' solutions, beside data/ and maps/ as the game is.
mkdir -p "$work/levels"
cp -r "$native/data" "$native/maps" "$work/levels/"
for solution in "$here"/../levels_play/solutions/*.txt; do
  cp "$solution" "$work/levels/"
  jobs+=("$work/levels|$(basename "$solution")|solution-$(basename "$solution" .txt)")
done
if [ -n "$recorded" ] && [ -d "$recorded" ]; then
  for run in "$recorded"/*/; do
    run=${run%/}
    jobs+=("$run|$(cat "$run/arguments")|$(basename "$run")")
  done
fi

printf '%s\n' "${jobs[@]}" >"$work/jobs"
set +e
tr '\n' '\0' <"$work/jobs" | xargs -0 -P "$(nproc)" -I{} bash -c 'IFS="|" read -r from arguments name <<<"$1"; compare "$from" "$arguments" "$name"' _ {}
status=$?
set -e
count=${#jobs[@]}
left=$(find "$work" -maxdepth 1 -name '*.diff' | wc -l)
echo "cross-platform: $((count - left)) of $count runs the same on both builds"
[ "$status" -eq 0 ] && [ "$left" -eq 0 ]

#!/usr/bin/env bash
# Pictures of every shipped level in play, for docs/levels/: each level's
# solution is played through the replay harness and the screen is taken some
# seconds in, then reduced to 320 x 240.
#   tools/level_shots.sh BUILD_DIR OUT_DIR
# A solution may name the pass to take the picture at with a comment line
# "# shot at pass N"; otherwise it is pass 500, ten seconds in.
# Needs ImageMagick's convert (Debian: imagemagick).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?build folder}" && pwd)
out=$(mkdir -p "${2:?output folder}" && cd "$2" && pwd)
source "$here/tools/deps.sh"
need_packages imagemagick
solutions="$here/tests/levels_play/solutions"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

n=1
while [ -f "$build/maps/map$n.dat" ]; do
    script="$solutions/level$n.txt"
    if [ ! -f "$script" ]; then
        echo "level $n: no solution, no picture" >&2
        n=$((n + 1))
        continue
    fi
    pass=$(sed -n 's/^# shot at pass \([0-9][0-9]*\).*/\1/p' "$script" | head -n 1)
    pass=${pass:-500}
    # The solution's input up to the picture, then the picture and the end.
    { grep -v '^#' "$script" | awk -v p="$pass" '$1 + 0 < p && $2 != "dump"'
      echo "$pass shot $work/level$n.bmp"
      echo "$pass end"; } >"$work/script.txt"
    (cd "$build" && ./eggsodus-replay "$work/script.txt" >/dev/null)
    convert "$work/level$n.bmp" -alpha off -resize 320x240 "$out/level$n.png"
    echo "level $n: $out/level$n.png (pass $pass)"
    n=$((n + 1))
done

#!/usr/bin/env bash
# Takes the README's screenshots with the real game in a virtual X display:
# the main menu, and level 1 a while after it has started.
#   tools/screenshots.sh BUILD_DIR OUT_DIR
# Needs xvfb-run, xdotool and ImageMagick's import (Debian: xvfb, xdotool, imagemagick).
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
out=$(mkdir -p "${2:?output folder}" && cd "$2" && pwd)

if [ -z "${EGGSODUS_SHOT_DISPLAY:-}" ]; then  # first run: again, inside a virtual display
    EGGSODUS_SHOT_DISPLAY=1 exec xvfb-run -a -s "-screen 0 640x480x24" "$0" "$build" "$out"
fi

take() {
    cd "$build"
    ./eggsodus &
    game=$!
    trap 'kill $game 2>/dev/null || true' EXIT
    local window=""
    for _ in $(seq 50); do
        window=$(xdotool search --pid "$game" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || { echo "the game's window never opened" >&2; exit 1; }
    sleep 2
    import -window root -crop 640x480+0+0 "$out/main-menu.png"
    xdotool mousemove --window "$window" 320 165 click 1   # Play Game
    sleep 1
    xdotool mousemove --window "$window" 320 265 click 1   # Play level
    sleep 1
    xdotool key --window "$window" space                   # past the loading screen
    xdotool mousemove --window "$window" 600 20
    sleep 9
    import -window root -crop 640x480+0+0 "$out/level-in-play.png"
    kill "$game"
    wait "$game" 2>/dev/null || true
}

take
echo "screenshots written to $out"

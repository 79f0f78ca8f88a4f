#!/usr/bin/env bash
# Inside an X display: starts the game with LAUNCHER from the root folder,
# expects the game itself (not a child of the launcher) running in DATA_DIR,
# sees the main menu in its window, leaves through "Exit Game" and "Yes" and
# expects status 0. Points are those of the game's 640x480 picture, taken relative to
# the window. EGGSODUS_MENU_SHOT, when set, names a PNG for the main menu.
#   tests/package/menu_and_exit.sh LAUNCHER DATA_DIR
set -uo pipefail
launcher=$(cd "$(dirname "${1:?launcher}")" && pwd)/$(basename "$1")  # absolute, links kept
data_dir=$(readlink -f "${2:?data folder}")
button_grey='#808080'
label_grey='#7F7F7F'

cd /
"$launcher" &
game=$!
trap 'kill -9 $game 2>/dev/null' EXIT
window=$(timeout 20 xdotool search --sync --name '^eggsodus$' | head -n 1)
[ -n "$window" ] || { echo "no window titled eggsodus" >&2; exit 1; }
[ "$(readlink "/proc/$game/cwd")" = "$data_dir" ] && [[ $(readlink "/proc/$game/exe") == */eggsodus ]] ||
    { echo "the game runs as $(readlink "/proc/$game/exe") in $(readlink "/proc/$game/cwd")" >&2; exit 1; }

pixel() { import -window "$window" -depth 8 -crop "1x1+$1+$2" txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}'; }

shows() {  # x y colour: waits up to 10 s for that pixel of the window to show the colour
    local _
    for _ in $(seq 100); do
        [ "$(pixel "$1" "$2")" = "$3" ] && return 0
        sleep 0.1
    done
    echo "pixel ($1, $2) is $(pixel "$1" "$2"), not $3" >&2
    return 1
}

click() { xdotool mousemove --sync --window "$window" "$1" "$2" click 1; }

xdotool mousemove --sync --window "$window" 10 10  # over no button, so none is lit
shows 265 155 "$button_grey" && shows 265 320 "$button_grey" ||
    { echo "no main menu: its first and last buttons are missing" >&2; exit 1; }
[ -n "${EGGSODUS_MENU_SHOT:-}" ] && import -window "$window" "$EGGSODUS_MENU_SHOT"
click 300 315  # Exit Game
shows 165 155 "$label_grey" || { echo "no exit confirmation after Exit Game" >&2; exit 1; }
click 230 215  # Yes
for _ in $(seq 50); do
    if ! kill -0 "$game" 2>/dev/null; then
        wait "$game"
        status=$?
        trap - EXIT
        [ "$status" -eq 0 ] || { echo "the game ended with status $status" >&2; exit 1; }
        exit 0
    fi
    sleep 0.1
done
echo "the game did not end after Yes" >&2
exit 1

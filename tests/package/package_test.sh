#!/usr/bin/env bash
# Builds the Debian package and checks what it ships: lintian, the desktop
# entry, the AppStream metadata and the icons; then unpacks it into a scratch
# folder and plays the unpacked tree: the main menu in a virtual X display,
# out through "Exit Game" and "Yes" with status 0, and the level checker.
#   tests/package/package_test.sh   (from anywhere; prints one line per check)
set -uo pipefail
cd "$(dirname "$0")/../.."
source tools/deps.sh
need_packages lintian desktop-file-utils appstream imagemagick xvfb xauth xdotool

failures=0
check() {  # name, command...: runs the command, says how it went
    local name=$1
    shift
    if "$@"; then echo "package check $name: ok"; else echo "package check $name: FAILED"; failures=$((failures + 1)); fi
}

mkdir -p build-package
log=build-package/package.log
./package.sh >"$log" 2>&1 || { cat "$log"; echo "package check build: FAILED"; exit 1; }
deb=$(tail -n 1 "$log")
echo "package check build: ok ($deb)"
scratch=$PWD/build-package/unpacked
rm -rf "$scratch" && mkdir -p "$scratch/root" "$scratch/bin"
dpkg-deb -x "$deb" "$scratch/root"
usr=$scratch/root/usr

# No errors; warnings and notes are shown for whoever reads the log.
check lintian lintian --fail-on error "$deb"
check desktop-entry desktop-file-validate "$usr/share/applications/eggsodus.desktop"
# The entry's name is the component's id; a reverse-domain id needs a domain of our own.
check metainfo appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
    "$usr/share/metainfo/eggsodus.metainfo.xml"

icons_fit() {  # every theme size there, square, of its folder's size, with an alpha channel
    local size shape
    for size in 16 22 24 32 48 64 128 256; do
        shape=$(identify -format '%wx%h %A' "$usr/share/icons/hicolor/${size}x$size/apps/eggsodus.png") || return 1
        [[ $shape == "${size}x$size Blend" || $shape == "${size}x$size True" ]] ||
            { echo "icon ${size}x$size is $shape" >&2; return 1; }
    done
}
check icons icons_fit

# The level checker through its link in games/, run in the data folder as an author would.
levelcheck_runs() {
    (cd "$usr/share/games/eggsodus" && "$usr/games/eggsodus-levelcheck" 1 | grep -q '^level 1: ok$')
}
check levelcheck levelcheck_runs

# The launcher through a link from elsewhere and started from another folder:
# it must find the program and the data from where it really lies.
ln -s "$usr/games/eggsodus" "$scratch/bin/eggsodus"
check launcher-plays xvfb-run -a -s "-screen 0 640x480x24" tests/package/menu_and_exit.sh \
    "$scratch/bin/eggsodus" "$usr/share/games/eggsodus"

[ "$failures" -eq 0 ]

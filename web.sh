#!/usr/bin/env bash
# Builds the game for the browser into build-web/site/ (static files: the page,
# the script, the wasm and the packed data) and serves that folder on
# http://127.0.0.1:8000/ ; `./web.sh build` only builds.
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
need_packages g++ cmake ninja-build emscripten nodejs python3
jobs=$(nproc)
# emcc's JavaScript optimizer needs Debian's acorn whichever node runs it.
export NODE_PATH=/usr/share/nodejs

# The pictures are drawn by a native tool, exactly as for the desktop game.
cmake -S . -B build-web/native -G Ninja -DCMAKE_BUILD_TYPE=Release -DEGGSODUS_WINDOW=OFF \
  -DEGGSODUS_TESTS=OFF -DEGGSODUS_BENCH=OFF >/dev/null
cmake --build build-web/native -j"$jobs" --target game_data eggsodus-replay
emcmake cmake -S . -B build-web/wasm -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DEGGSODUS_DATA_DIR="$PWD/build-web/native" >/dev/null
cmake --build build-web/wasm -j"$jobs"
rm -rf build-web/site
mkdir -p build-web/site
cp build-web/wasm/site/index.html build-web/wasm/site/game.js build-web/wasm/site/game.wasm \
  build-web/wasm/site/game.data build-web/site/
echo "site: build-web/site ($(du -sk build-web/site | cut -f1) KiB)"

[ "${1:-}" = build ] && exit 0
echo "Serving on http://127.0.0.1:8000/ (Ctrl+C stops)"
exec python3 -m http.server 8000 --bind 127.0.0.1 --directory build-web/site

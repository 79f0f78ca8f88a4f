#!/usr/bin/env bash
# Builds the game and starts it from its build folder (beside data/ and maps/).
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
need_packages g++ cmake ninja-build pkg-config libsdl2-dev
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DEGGSODUS_TESTS=OFF -DEGGSODUS_BENCH=OFF
cmake --build build-run -j"$(nproc)"
cd build-run
exec ./eggsodus

#!/usr/bin/env bash
# Builds the Debian package eggsodus_<version>_amd64.deb in this folder, from
# a release build in build-package/ with Debian's hardening flags.
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
need_packages g++ cmake ninja-build pkg-config libsdl2-dev dpkg-dev file
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DEGGSODUS_TESTS=OFF -DEGGSODUS_BENCH=OFF >/dev/null
cmake --build build-package -j"$(nproc)"
(cd build-package && cpack -G DEB >/dev/null)
version=$(sed -nE 's/^CMAKE_PROJECT_VERSION:STATIC=(.*)/\1/p' build-package/CMakeCache.txt)
deb=eggsodus_${version}_$(dpkg --print-architecture).deb
mv "build-package/$deb" .
echo "$deb"

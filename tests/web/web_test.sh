#!/usr/bin/env bash
# The web build's checks: builds the site once (./web.sh build), plays it in
# headless chromium, then compares the harness built for node with the native
# one on the level solutions and on the replay test runs recorded in $1 (if any).
# Prints one "web: NAME ok|FAILED" line per check; fails if any failed.
set -uo pipefail
cd "$(dirname "$0")/../.."
source tools/deps.sh
need_packages emscripten chromium nodejs python3
command -v npm >/dev/null || need_packages npm
recorded=${1:-}
failed=0

mkdir -p build-web
if ! ./web.sh build >build-web/build.log 2>&1; then
  tail -n 40 build-web/build.log
  echo "web: build FAILED"
  exit 1
fi
echo "web: site $(du -sk build-web/site | cut -f1) KiB"
(cd tests/web && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --silent) || exit 1

if timeout 300 node tests/web/browser_test.mjs "$PWD/build-web/site" "$PWD/build-web/native/maps"; then
  echo "web: browser ok"
else
  echo "web: browser FAILED"; failed=1
fi
if timeout 1200 tests/web/cross_platform.sh build-web/native build-web/wasm "$recorded"; then
  echo "web: cross-platform ok"
else
  echo "web: cross-platform FAILED"; failed=1
fi
exit "$failed"

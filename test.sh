#!/usr/bin/env bash
# Builds everything and runs every test: the suite, the suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the Debian package's checks,
# the web build (in a real browser, and against the native harness's results),
# and each fuzz target for a short, bounded time from its seed corpus.
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
need_packages g++ cmake ninja-build pkg-config libsdl2-dev libgtest-dev libbenchmark-dev \
  clang libclang-rt-14-dev xvfb xauth xdotool imagemagick openbox python3
jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-30}
passed=0
failed=0

count_ctest() {  # adds the counts of ctest's closing line in $1 to the totals
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  local bad total
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

run_suite() {  # name, build dir, extra cmake arguments...
  local name=$1 dir=$2
  shift 2
  echo "== $name =="
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  local log="$dir/ctest.log"
  set +e
  (cd "$dir" && ctest --output-on-failure -j"$jobs" --timeout 600) 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  set -e
  count_ctest "$log"
  if [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then failed=1; fi
}

# The first suite keeps each replay run's folder, for the web build to run again.
rm -rf build/replay-runs
EGGSODUS_RECORD_RUNS="$PWD/build/replay-runs" run_suite "tests" build -DCMAKE_BUILD_TYPE=Release
run_suite "tests under ASan + UBSan" build-asan -DCMAKE_BUILD_TYPE=Debug \
  -DEGGSODUS_SANITIZE=ON -DEGGSODUS_BENCH=OFF -DEGGSODUS_WINDOW=OFF

echo "== Debian package =="
if tests/package/package_test.sh; then passed=$((passed + 1)); else failed=$((failed + 1)); fi

echo "== web build: the browser, and the same results as the native harness =="
set +e
mkdir -p build-web
tests/web/web_test.sh "$PWD/build/replay-runs" | tee build-web/checks
set -e
web_passed=$(grep -c '^web: .* ok$' build-web/checks || true)
web_failed=$(grep -c '^web: .* FAILED$' build-web/checks || true)
passed=$((passed + web_passed))
failed=$((failed + web_failed))
[ "$web_passed" -eq 2 ] || [ "$web_failed" -gt 0 ] || failed=$((failed + 1))

echo "== fuzzing, ${fuzz_seconds} s per target =="
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DEGGSODUS_FUZZ=ON -DEGGSODUS_TESTS=OFF -DEGGSODUS_BENCH=OFF -DEGGSODUS_WINDOW=OFF >/dev/null
cmake --build build-fuzz -j"$jobs"
for target in build-fuzz/fuzz/fuzz_*; do
  name=${target##*/fuzz_}
  work=build-fuzz/corpus-$name
  rm -rf "$work" && mkdir -p "$work"
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$work/"
  # Absolute paths: some targets move into a scratch folder of their own.
  if "$PWD/$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=0 -artifact_prefix="$PWD/build-fuzz/$name-" "$PWD/$work" \
      >"build-fuzz/$name.log" 2>&1; then
    echo "fuzz $name: ok"
    passed=$((passed + 1))
  else
    echo "fuzz $name: FAILED"; tail -n 40 "build-fuzz/$name.log"
    failed=$((failed + 1))
  fi
done

echo "total: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

#!/usr/bin/env bash
# Builds and runs every test: the full build under Xvfb, the core tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and each fuzz target for a bounded time.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
fuzz_seconds=${KMX_FUZZ_SECONDS:-60}
"$top/scripts/deps.sh"

echo "== Build and test"
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKMX_BUILD_GUI=ON -DKMX_BUILD_TESTS=ON -DKMX_BUILD_BENCH=ON
cmake --build "$top/build" -j "$jobs"
consumers=$(sed -n 's/^KMX_CONSUMERS_DIR:PATH=//p' "$top/build/CMakeCache.txt")
if [ ! -f "$consumers/check-export.py" ]; then
  echo "The export consumer checker is missing: $consumers/check-export.py" >&2
  exit 1
fi
"$top/scripts/consumers.sh" "$top/build"
xvfb-run -a -s '-screen 0 1280x800x24' \
  ctest --test-dir "$top/build" --output-on-failure -j "$jobs" --timeout 600

echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$top" -B "$top/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DKMX_SANITIZE=ON -DKMX_BUILD_GUI=OFF -DKMX_BUILD_BENCH=OFF
cmake --build "$top/build-asan" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$top/build-asan" --output-on-failure -j "$jobs" --timeout 900

echo "== Fuzz targets, ${fuzz_seconds} s each"
cmake -S "$top" -B "$top/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKMX_FUZZ=ON
cmake --build "$top/build-fuzz" -j "$jobs"
for target in "$top"/build-fuzz/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  seeds="$top/fuzz/corpus/${name%_fuzz}"
  work=$(mktemp -d)
  echo "-- $name"
  "$target" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="$top/build-fuzz/$name-" -print_final_stats=1 "$work" "$seeds" 2>&1 | tail -n 12
  rm -rf "$work"
done
echo "== All tests passed"

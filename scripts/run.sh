#!/usr/bin/env bash
# Builds the editor and starts it; arguments go to the editor (a .zlkx or .mqo file to open).
# Without arguments it opens the sample scene, a small rigged figure with a walk animation,
# from a fresh copy in the build folder (so that saving it never changes the checkout).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKMX_BUILD_GUI=ON >/dev/null
cmake --build "$top/build" --target kinemorphix
if [ $# -eq 0 ]; then
  mkdir -p "$top/build/sample"
  cp -f "$top/resources/sample/figure.zlkx" "$top/resources/sample/figure.mqo" "$top/resources/sample/figure.png" \
    "$top/build/sample/"
  set -- "$top/build/sample/figure.zlkx"
fi
exec "$top/build/kinemorphix" "$@"

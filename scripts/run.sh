#!/usr/bin/env bash
# Builds the editor and starts it; arguments go to the editor (a .zlkx or .mqo file to open).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKMX_BUILD_GUI=ON >/dev/null
cmake --build "$top/build" --target kinemorphix
exec "$top/build/kinemorphix" "$@"

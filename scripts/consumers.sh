#!/usr/bin/env bash
# Installs the npm modules the export consumers need (compilers for ActionScript and Kotlin,
# a second COLLADA loader) from the pinned lock file into BUILD/consumers/node_modules.
# Does nothing when the installed modules match the lock file.  usage: consumers.sh BUILD
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: consumers.sh BUILD}
dest="$build/consumers"
src="$top/tests/consumers/node"
stamp="$dest/node_modules/.lock-sha256"
want=$(sha256sum "$src/package-lock.json" | cut -d' ' -f1)
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ]; then
  exit 0
fi
echo "Installing the export consumers' npm modules into $dest"
mkdir -p "$dest"
cp "$src/package.json" "$src/package-lock.json" "$dest/"
(cd "$dest" && npm ci --no-audit --no-fund --loglevel=error)
echo "$want" > "$stamp"

#!/usr/bin/env bash
# Installs what is missing, builds a Release binary and starts the game. The game starts in
# the caller's folder, so a saved game named by a relative path opens.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/release" --parallel "$(nproc)" --target tessaline
exec "$root/build/release/tessaline" "$@"

#!/usr/bin/env bash
# Installs what is missing, builds a Release binary and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --parallel "$(nproc)" --target tessaline
exec build/release/tessaline "$@"

#!/usr/bin/env bash
# The solver on seeded random deals, as the game deals them: verdicts, processor time per
# deal and peak memory, from a Release build of tessaline-solve.
#   bench/solve.sh [deals] [seed] [budget-ms]     (default 10000 1 1000)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target tessaline-solve -j2 >/dev/null
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
start=$(date +%s)
build/release/src/solver/tessaline-solve --random "${1:-10000}" --seed "${2:-1}" --budget-ms "${3:-1000}"
echo "wall seconds: $(( $(date +%s) - start )), load after: $(cut -d' ' -f1-3 /proc/loadavg)"

#!/usr/bin/env bash
# Installs what the fuzz targets need besides the build: clang and its runtime libraries,
# which hold libFuzzer.
set -euo pipefail
exec "$(dirname "$0")/install-deps.sh" clang libclang-rt-dev

#!/usr/bin/env bash
# Installs what the benchmarks need besides the build: an X server to run under (Xvfb, with
# xauth for xvfb-run), and awk and bc for bench/startup.sh's figures.
set -euo pipefail
exec "$(dirname "$0")/install-deps.sh" xvfb xauth mawk bc

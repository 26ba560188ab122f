#!/usr/bin/env bash
# Start-up time and peak memory of the game's window against an empty Qt main window of
# the same size, each the median of N runs under Xvfb (or the display already set).
#   bench/startup.sh [runs]     (build first: cmake -B build/bench -DTESSALINE_BENCH=ON)
set -euo pipefail
runs=${1:-21}
bin=${BENCH_BIN:-build/bench/bench/startup_bench}
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"; fi
export XDG_CONFIG_HOME=$(mktemp -d) XDG_CACHE_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"' EXIT

measure() {
  local mode=$1 times=() rss=()
  for ((i = 0; i < runs; i++)); do
    local start out
    # "cold": as on the very first run, before the card pictures were stored.
    [ "$mode" = cold ] && rm -rf "${XDG_CACHE_HOME:?}"/*
    start=$(date +%s%N)
    out=$("$bin" "${mode/cold/game}")
    times+=($(( ($(awk '/shown_ns/{print $2}' <<<"$out") - start) / 1000 )))
    rss+=($(awk '/maxrss_kb/{print $2}' <<<"$out"))
  done
  local t r
  t=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}')
  r=$(printf '%s\n' "${rss[@]}" | sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}')
  echo "$mode $t $r"
}

cold=$(measure cold)
game=$(measure game)
empty=$(measure empty)
read -r _ ct cr <<<"$cold"
read -r _ gt gr <<<"$game"
read -r _ et er <<<"$empty"
printf '%-22s %12s %14s %8s %8s\n' window "shown (ms)" "peak RSS (MiB)" "x time" "x RSS"
row() { printf '%-22s %12.1f %14.1f %8.2f %8.2f\n' "$1" "$(bc -l <<<"$2/1000")" "$(bc -l <<<"$3/1024")" \
          "$(bc -l <<<"$2/$et")" "$(bc -l <<<"$3/$er")"; }
row "game" "$gt" "$gr"
row "game, first run ever" "$ct" "$cr"
row "empty main window" "$et" "$er"

#!/usr/bin/env bash
# Start-up time and peak memory of the game's window against an empty Qt main window of
# the same size, each the median of N runs under Xvfb (or the display already set).
#   bench/startup.sh [runs]     (build first: cmake -B build/bench -DTESSALINE_BENCH=ON)
set -euo pipefail
runs=${1:-21}
bin=${BENCH_BIN:-build/bench/bench/startup_bench}
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"; fi
export XDG_CONFIG_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT

measure() {
  local mode=$1 times=() rss=()
  for ((i = 0; i < runs; i++)); do
    local start out
    start=$(date +%s%N)
    out=$("$bin" "$mode")
    times+=($(( ($(awk '/shown_ns/{print $2}' <<<"$out") - start) / 1000 )))
    rss+=($(awk '/maxrss_kb/{print $2}' <<<"$out"))
  done
  local t r
  t=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}')
  r=$(printf '%s\n' "${rss[@]}" | sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}')
  echo "$mode $t $r"
}

game=$(measure game)
empty=$(measure empty)
read -r _ gt gr <<<"$game"
read -r _ et er <<<"$empty"
printf '%-8s %12s %14s\n' window "shown (ms)" "peak RSS (MiB)"
printf '%-8s %12.1f %14.1f\n' game "$(bc -l <<<"$gt/1000")" "$(bc -l <<<"$gr/1024")"
printf '%-8s %12.1f %14.1f\n' empty "$(bc -l <<<"$et/1000")" "$(bc -l <<<"$er/1024")"
printf 'ratio    %12.2f %14.2f\n' "$(bc -l <<<"$gt/$et")" "$(bc -l <<<"$gr/$er")"

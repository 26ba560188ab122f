#!/usr/bin/env bash
# Start-up of the game against a bare Qt main window of the same size with a menu bar
# (bare_window, its own small program): time from process start to the window mapped and
# to the first frame on the screen (the cards, for the game), and peak memory. The two
# programs run alternately, in pairs, with the game's stored card pictures present (warm)
# and removed before every run (cold); medians of each, and the median of the ratios within
# pairs.
#   bench/startup.sh [pairs]   (build first: cmake -B build/bench -DTESSALINE_BENCH=ON)
# Under a private Xvfb unless DISPLAY is set.
set -euo pipefail
pairs=${1:-21}
dir=${BENCH_DIR:-build/bench/bench}
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"; fi
export XDG_CONFIG_HOME=$(mktemp -d) XDG_CACHE_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"' EXIT
results=$(mktemp)
trap 'rm -rf "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$results"' EXIT

# run LABEL PAIR PROGRAM: one start, appended as "label pair mapped_us painted_us rss_kb cpu_us".
run() {
  local start out
  start=${EPOCHREALTIME/./}
  out=$("$dir/$3")
  awk -v label="$1" -v pair="$2" -v start="$start" '
    /mapped_ns/ {m = $2} /painted_ns/ {p = $2} /maxrss_kb/ {r = $2} /cpu_us/ {u = $2}
    END {printf "%s %d %d %d %d %d\n", label, pair, m / 1000 - start, p / 1000 - start, r, u}' <<<"$out" >>"$results"
}

"$dir/startup_bench" >/dev/null  # store the card pictures once
for cache in warm cold; do
  for ((i = 0; i < pairs; i++)); do
    [ "$cache" = cold ] && rm -rf "${XDG_CACHE_HOME:?}"/*
    if ((i % 2)); then run "bare-$cache" "$i" bare_window; run "$cache" "$i" startup_bench
    else run "$cache" "$i" startup_bench; run "bare-$cache" "$i" bare_window; fi
  done
done

median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
column() { awk -v l="$1" -v c="$2" '$1 == l {print $c}' "$results" | median; }
# The median of the ratios within pairs: the two runs of a pair shared the machine's load.
ratio() {
  awk -v g="$1" -v b="bare-$1" -v c="$2" '$1 == g {x[$2] = $c} $1 == b {y[$2] = $c}
    END {for (i in x) printf "%.4f\n", x[i] / y[i]}' "$results" | median
}
# CPU time (user and system, up to the painted frame) is the steadier figure on a busy machine.
printf '%-27s %9s %10s %7s %7s %13s %14s %10s\n' "$pairs pairs, medians" "mapped ms" "painted ms" "CPU ms" \
       "RSS MiB" "mapped / bare" "painted / bare" "CPU / bare"
ms() { bc -l <<<"$(column "$1" "$2")/1000"; }
for cache in warm cold; do
  printf '%-27s %9.1f %10.1f %7.1f %7.1f %13.2f %14.2f %10.2f\n' "game, $cache picture cache" \
         "$(ms "$cache" 3)" "$(ms "$cache" 4)" "$(ms "$cache" 6)" "$(bc -l <<<"$(column "$cache" 5)/1024")" \
         "$(ratio "$cache" 3)" "$(ratio "$cache" 4)" "$(ratio "$cache" 6)"
  printf '%-27s %9.1f %10.1f %7.1f %7.1f\n' "  bare window" "$(ms "bare-$cache" 3)" "$(ms "bare-$cache" 4)" \
         "$(ms "bare-$cache" 6)" "$(bc -l <<<"$(column "bare-$cache" 5)/1024")"
done

#!/usr/bin/env bash
# Start-up time: process start to the main window shown (no splash delay), against
# a minimal Qt Widgets program showing one empty window, alternated in one run.
# bench_startup_probe is the program's start-up on a database of this run's own.
# usage: bench/startup.sh [BUILD_DIR] [REPETITIONS]
set -euo pipefail
BUILD=${1:-build}
N=${2:-15}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$BUILD/bin/quorvanta-initdb" "$work/data" >/dev/null
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

ms() { local s e; s=$(date +%s%N); "$@" >/dev/null 2>&1; e=$(date +%s%N); echo $(( (e - s) / 1000 )); }
stats() { sort -n | awk '{a[NR]=$1} END {m=(NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2; printf "%.1f %.1f %.1f\n", m/1000, a[1]/1000, a[NR]/1000}'; }

: > "$work/prog"; : > "$work/base"
for _ in $(seq "$N"); do
  ms "$BUILD/bin/bench_startup_probe" "$work/data" >> "$work/prog"
  ms "$BUILD/bin/bench_minimal_window" >> "$work/base"
done
read -r pm pmin pmax < <(stats < "$work/prog")
read -r bm bmin bmax < <(stats < "$work/base")
printf '%-34s %10s %10s %10s\n' "start-up (ms, $N runs)" median min max
printf '%-34s %10s %10s %10s\n' "quorvanta main window shown" "$pm" "$pmin" "$pmax"
printf '%-34s %10s %10s %10s\n' "minimal Qt window (baseline)" "$bm" "$bmin" "$bmax"
awk -v p="$pm" -v b="$bm" 'BEGIN {printf "ratio of medians: %.2f (target <= 2)\n", p / b}'

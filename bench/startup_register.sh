#!/usr/bin/env bash
# Start-up time with 100,000 register entries against an empty register:
# process start to the main window shown and the program ended, the two
# alternated in one run. Both files have SaveChange off: the save when the
# window closes would wait for the whole-file check that a large file gets on
# a worker, and that save is not part of starting.
# usage: bench/startup_register.sh [BUILD_DIR] [REPETITIONS] [ENTRIES]
set -euo pipefail
BUILD=${1:-build}
N=${2:-15}
ENTRIES=${3:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$BUILD/bin/bench_fill_register" "$work/empty" 0
"$BUILD/bin/bench_fill_register" "$work/full" "$ENTRIES"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

ms() { local s e; s=$(date +%s%N); "$BUILD/bin/bench_startup_probe" "$1" >/dev/null 2>&1; e=$(date +%s%N); echo $(( (e - s) / 1000 )); }
stats() { sort -n | awk '{a[NR]=$1} END {m=(NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2; printf "%.1f %.1f %.1f\n", m/1000, a[1]/1000, a[NR]/1000}'; }

: > "$work/t-empty"; : > "$work/t-full"
for _ in $(seq "$N"); do
  ms "$work/empty" >> "$work/t-empty"
  ms "$work/full" >> "$work/t-full"
done
read -r em emin emax < <(stats < "$work/t-empty")
read -r fm fmin fmax < <(stats < "$work/t-full")
size=$(du -m "$work/full/chequedb.mdb" | cut -f1)
printf '%-40s %10s %10s %10s\n' "start-up (ms, $N runs)" median min max
printf '%-40s %10s %10s %10s\n' "register of $ENTRIES entries (${size} MB)" "$fm" "$fmin" "$fmax"
printf '%-40s %10s %10s %10s\n' "empty register (baseline)" "$em" "$emin" "$emax"
awk -v f="$fm" -v e="$em" 'BEGIN {printf "ratio of medians: %.2f (target <= 1.1)\n", f / e}'

#!/usr/bin/env bash
# All benchmarks in one run: each figure as median, minimum and maximum of
# repeated measurements, beside its baseline measured in the same run.
# Every benchmark works on temporary databases of its own; the database beside the
# program and the user's are never opened.
# usage: bench/run.sh [BUILD_DIR] [REPETITIONS]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
N=${2:-10}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
cmake --build "$BUILD" --target quorvanta-initdb quorvanta_bench bench_minimal_window \
  bench_startup_probe bench_window_tour >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== machine"
echo "$(nproc) cores, $(awk '/MemTotal/ {printf "%.1f GiB", $2/1048576}' /proc/meminfo), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo

echo "== start-up"
bench/startup.sh "$BUILD" $(( N > 15 ? N : 15 ))
echo

echo "== peak resident memory after opening and closing every window once ($N runs)"
"$BUILD/bin/quorvanta-initdb" "$work/fresh" >/dev/null
: > "$work/rss_prog"; : > "$work/rss_base"
for i in $(seq "$N"); do
  # The tour adds a format: each run starts from a fresh copy of a new database.
  cp -r "$work/fresh" "$work/tour-$i"
  "$BUILD/bin/bench_window_tour" "$work/tour-$i" 2>/dev/null \
    | awk '/peak_rss_kb/ {print $2}' >> "$work/rss_prog"
  "$BUILD/bin/bench_minimal_window" 2>/dev/null | awk '/peak_rss_kb/ {print $2}' >> "$work/rss_base"
done
stats() { sort -n | awk '{a[NR]=$1} END {m=(NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2; printf "%.1f %.1f %.1f\n", m/1024, a[1]/1024, a[NR]/1024}'; }
read -r pm pmin pmax < <(stats < "$work/rss_prog")
read -r bm bmin bmax < <(stats < "$work/rss_base")
printf '%-36s %9s %9s %9s\n' "peak RSS (MiB)" median min max
printf '%-36s %9s %9s %9s\n' "quorvanta, every window once" "$pm" "$pmin" "$pmax"
printf '%-36s %9s %9s %9s\n' "minimal Qt window (baseline)" "$bm" "$bmin" "$bmax"
awk -v p="$pm" -v b="$bm" 'BEGIN {printf "ratio of medians: %.2f (target <= 1.5)\n", p / b}'
echo

echo "== in-process benchmarks ($N repetitions each, wall time)"
"$BUILD/bin/quorvanta_bench" --benchmark_repetitions="$N" --benchmark_format=csv \
  --benchmark_filter='BM_(PreviewOpen/0|PreviewPrintToPdf|DesignerOpen|OptionsOpen|AmountToWords|MainWindowLoad|Baseline_)' \
  2>/dev/null > "$work/bench.csv"
awk -F, '
  function ms(t, u) { return u == "ns" ? t / 1e6 : u == "us" ? t / 1e3 : u == "s" ? t * 1e3 : t }
  NR == 1 || $1 ~ /_(mean|median|stddev|cv)"?$/ { next }
  { gsub(/"/, "", $1); n[$1]++; v[$1, n[$1]] = ms($3, $5) }
  function sortv(name,   i, j, t, k) { k = n[name]; for (i = 1; i <= k; i++) s[i] = v[name, i];
    for (i = 2; i <= k; i++) { t = s[i]; j = i - 1; while (j > 0 && s[j] > t) { s[j+1] = s[j]; j-- } s[j+1] = t } return k }
  function find(prefix,   name) { for (name in n) if (index(name, prefix) == 1) return name; return "" }
  function med(name,   k) { k = sortv(name); return (k % 2) ? s[(k+1)/2] : (s[k/2] + s[k/2+1]) / 2 }
  function row(label, prefix, baseLabel, basePrefix, target, perSecond,   a, b, k, m, lo, hi, bm) {
    a = find(prefix); b = find(basePrefix); if (a == "") { printf "%-44s (not built)\n", label; return }
    m = med(a); k = sortv(a); lo = s[1]; hi = s[k]; bm = (b == "") ? 0 : med(b)
    if (perSecond) printf "%-44s %10.0f %10.0f %10.0f   %-30s %10.0f   %s\n", label, 1000/m, 1000/hi, 1000/lo, baseLabel, (bm ? 1000/bm : 0), target
    else printf "%-44s %10.2f %10.2f %10.2f   %-30s %10.2f   %s\n", label, m, lo, hi, baseLabel, bm, target
  }
  END {
    printf "%-44s %10s %10s %10s   %-30s %10s   %s\n", "measure (ms, or calls/s)", "median", "min", "max", "baseline", "median", "target"
    row("opening the preview", "BM_PreviewOpen/0", "empty dialog shown and closed", "BM_Baseline_EmptyDialogOpen", "<= 50 ms", 0)
    row("preview Print to a PDF file", "BM_PreviewPrintToPdf", "one line printed to a PDF", "BM_Baseline_PdfOneLine", "<= 150 ms", 0)
    row("opening the designer over 500 formats", "BM_DesignerOpen/500", "empty dialog shown and closed", "BM_Baseline_EmptyDialogOpen", "<= 150 ms", 0)
    row("opening the options over 5,000 payees", "BM_OptionsOpen/5000", "empty dialog shown and closed", "BM_Baseline_EmptyDialogOpen", "report", 0)
    row("main window load, 500 formats, 5,000 payees", "BM_MainWindowLoad/500/5000", "main window load, empty tables", "BM_MainWindowLoad/0/0", "report", 0)
    row("AmountToWords calls/s (table read each call)", "BM_AmountToWords", "107-row table reads/s", "BM_Baseline_WordTableRead", ">= 20,000/s", 1)
  }' "$work/bench.csv"

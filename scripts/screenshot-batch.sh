#!/usr/bin/env bash
# Screenshot of the batch window with a problem row under Xvfb.
# usage: scripts/screenshot-batch.sh [BUILD_DIR] [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
OUT=${2:-batch.png}
cmake --build "$BUILD" --target batch_window_shot >/dev/null
xvfb-run -a -s "-screen 0 1280x720x24" bash -c '
  out=$(mktemp)
  QT_QPA_PLATFORM=xcb "$0/bin/batch_window_shot" >"$out" 2>/dev/null &
  pid=$!
  for _ in $(seq 1 100); do grep -q shown "$out" && break; sleep 0.1; done
  sleep 1
  import -window root "$1"
  kill "$pid"
  rm -f "$out"
' "$BUILD" "$OUT"
echo "screenshot: $OUT"

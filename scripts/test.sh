#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
# The print tests use two real print queues; they skip themselves without root.
scripts/setup-cups.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --timeout 300 -j "$(nproc)"
# The suite again under the sanitizers, then the fuzz targets; each can be skipped
# for a quick local run.
if [ "${QUORVANTA_SKIP_SANITIZERS:-0}" != 1 ]; then
  scripts/test-sanitizers.sh
fi
if [ "${QUORVANTA_SKIP_FUZZ:-0}" != 1 ]; then
  scripts/fuzz.sh
fi

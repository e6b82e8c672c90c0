#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine and starts the program with its
# default database (created beside the program when there is none).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ ! -f build/bin/chequedb.mdb ]; then
  build/bin/quorvanta-initdb build/bin
fi
exec build/bin/quorvanta

#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine and starts the program. On its
# first start it makes its database in the user's data folder
# (~/.local/share/Quorvanta/Solo) unless the settings file names another folder
# or a chequedb.mdb lies beside the program (see README.md).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/bin/quorvanta

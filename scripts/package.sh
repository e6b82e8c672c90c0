#!/usr/bin/env bash
# Builds the Debian package build/quorvanta-solo_<version>_<arch>.deb (or in
# $BUILD_DIR) from the project's install rules, with CPack. Its dependencies are
# found by dpkg-shlibdeps from the programs' libraries.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
scripts/install-deps.sh
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$BUILD_DIR" --parallel "$(nproc)" --target quorvanta quorvanta-initdb
rm -f "$BUILD_DIR"/quorvanta-solo_*.deb
(cd "$BUILD_DIR" && cpack -G DEB >cpack.log) || { cat "$BUILD_DIR/cpack.log" >&2; exit 1; }
deb=$(ls "$BUILD_DIR"/quorvanta-solo_*.deb)
echo "$deb"

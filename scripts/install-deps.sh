#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs to build, run and test.
# apt-get runs only when a package is missing; as root directly, otherwise through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libqt6printsupport6 qt6-qpa-plugins qt6-svg-dev
  libsqlcipher-dev sqlcipher sqlite3
  libcups2-dev cups cups-client cups-bsd
  fonts-liberation fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  poppler-utils
  clang libclang-rt-14-dev
  xvfb xauth rsync file imagemagick
  desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
else
  SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null

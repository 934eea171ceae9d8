#!/usr/bin/env bash
# Installs the Debian packages Zentrix builds and tests with. Safe to run again.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-format
  qt6-base-dev qt6-multimedia-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg-dev libgif-dev libzip-dev zlib1g-dev
  python3 python3-dbfread python3-dbf
  xvfb xauth xdg-utils desktop-file-utils
  fonts-dejavu-core
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
echo "install-deps: installing ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"

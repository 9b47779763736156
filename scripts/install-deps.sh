#!/usr/bin/env bash
# Installs the Debian packages Marvane builds, runs and tests with, and any named as arguments,
# when any is missing.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-image-formats-plugins qt6-svg-dev
  libgraphicsmagick++1-dev libxdo-dev libx11-dev libxtst-dev libsane-dev
  libgtest-dev libbenchmark-dev zlib1g-dev libpng-dev
  xvfb xauth openbox wmctrl xdotool xclip x11-utils
  fonts-liberation fonts-dejavu-core fonts-urw-base35 sane-utils emf2svg
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 icoutils
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

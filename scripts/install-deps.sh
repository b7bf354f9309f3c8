#!/usr/bin/env bash
# Installs what building, testing and running need on a fresh Debian 12
# machine. Extra package names given as arguments are installed too.
set -euo pipefail
packages=(
  build-essential cmake ninja-build libgtest-dev clang-format util-linux
  # The Linux program and its tests: Qt 6 Widgets, the window font (Wine's
  # "MS Sans Serif"), a fallback font, and a virtual display.
  qt6-base-dev libgl-dev fonts-wine fonts-liberation fonts-dejavu-core xvfb xauth xdotool
  # Accessibility: Qt's platform header that switches it on in the offscreen
  # tests, and a real AT-SPI client reading the running program.
  qt6-base-private-dev at-spi2-core python3-pyatspi dbus
  # The benchmarks are built (never timed) with the tests, so they keep compiling.
  libbenchmark-dev
  "$@"
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"

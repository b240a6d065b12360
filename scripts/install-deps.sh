#!/usr/bin/env bash
# Makes sure the Debian packages that building, running and testing Tarvex need are present.
# As root on Debian it installs the missing ones (and refreshes the package lists only then);
# otherwise it prints the command that installs them and fails.
set -euo pipefail

packages=(
  cmake g++ make pkg-config dpkg-dev desktop-file-utils
  freeglut3-dev libglu1-mesa-dev libx11-dev libpng-dev
  libcairo2-dev fonts-dejavu-core libgif-dev poppler-utils
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick
  clang libclang-rt-14-dev valgrind
)

missing=()
if command -v dpkg-query >/dev/null 2>&1; then
  for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$p")
  done
else
  echo "Tarvex needs: a C++17 compiler, CMake 3.18 or newer, OpenGL with GLU and GLUT (freeglut)," >&2
  echo "libpng, cairo, giflib, the DejaVu fonts, poppler-utils, GoogleTest, Google Benchmark," >&2
  echo "Xvfb, xauth, xdotool, xwininfo and ImageMagick." >&2
  echo "This is not a Debian system: install them with its own package manager." >&2
  exit 1
fi

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages. Install them with:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi

echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"

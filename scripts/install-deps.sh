#!/usr/bin/env bash
# Makes sure the Debian packages that building, running, testing and packaging Tarvex need are
# present, on a minimal Debian 12 as well. As root on Debian it installs the missing ones (and
# refreshes the package lists only then); otherwise it prints the command that installs them and
# fails.
set -euo pipefail

# One list, grouped by use, alphabetical within a group.
packages=(
  # building: compiler, CMake, the libraries and their headers, the test frameworks
  cmake g++ make pkg-config
  freeglut3-dev libbenchmark-dev libcairo2-dev libgif-dev libgl1-mesa-dri libglu1-mesa-dev
  libgtest-dev libpng-dev libx11-dev libxau-dev
  # packaging: CPack's DEB generator (dpkg-shlibdeps, and file to tell binaries apart), the tool's
  # manual page, and the checks of the package, its menu entry and its software-centre data
  appstream desktop-file-utils dpkg-dev file help2man lintian
  # running and testing on a virtual display: the stills tool's fonts (the answer key's italic
  # is DejaVu Sans Oblique, in the extra set), xdpyinfo and xwininfo
  # (x11-utils), glxinfo (mesa-utils), pgrep (procps), import and compare (imagemagick), pdftotext
  # and pdfinfo (poppler-utils)
  fonts-dejavu-core fonts-dejavu-extra imagemagick mesa-utils poppler-utils procps x11-utils xauth
  xdotool xvfb
  # the sanitizer build, the fuzzer and the memory checks
  clang libclang-rt-14-dev valgrind
  # the Windows package: the cross compiler, the exe's icon drawn by rsvg-convert (librsvg2-bin)
  # and packed by icotool (icoutils, whose wrestool the tests read it back with), Wine for its
  # smoke test, zip and unzip, wixl for the installer and msiinfo (msitools) for its checks
  g++-mingw-w64-x86-64-win32 icoutils librsvg2-bin msitools unzip wine wine64 wixl zip
  # the browser page: emscripten builds it, its tests drive Chromium through its WebDriver with
  # Selenium
  chromium chromium-driver emscripten python3-selenium
)

missing=()
if command -v dpkg-query >/dev/null 2>&1; then
  for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$p")
  done
else
  echo "Tarvex needs: a C++17 compiler, CMake 3.18 or newer, OpenGL with GLU and GLUT (freeglut)," >&2
  echo "libpng, cairo, giflib, the DejaVu fonts, poppler-utils, help2man, GoogleTest, Google" >&2
  echo "Benchmark, Xvfb, xauth, xdotool, xdpyinfo, xwininfo, glxinfo, pgrep, file, ImageMagick, clang" >&2
  echo "with its fuzzer runtime, valgrind, and for the package checks dpkg, lintian, appstream and" >&2
  echo "desktop-file-utils; for the Windows package the MinGW-w64 C++ compiler, rsvg-convert," >&2
  echo "icoutils, Wine, zip, unzip, wixl and msitools; for the browser page emscripten, Chromium" >&2
  echo "with chromedriver, and Python's Selenium." >&2
  echo "This is not a Debian system: install them with its own package manager." >&2
  exit 1
fi

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages. Install them as root (or with sudo) with:" >&2
  echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"

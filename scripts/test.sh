#!/usr/bin/env bash
# Builds Tarvex and runs every test suite on a virtual X display with Mesa's software renderer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"

export LIBGL_ALWAYS_SOFTWARE=1
xvfb-run -a -e /dev/stderr -s "-screen 0 1280x1024x24" \
  ctest --test-dir build --output-on-failure -j"$(nproc)"

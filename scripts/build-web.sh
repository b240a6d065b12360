#!/usr/bin/env bash
# Builds the browser page with Debian's emscripten into build-web/: build-web/page/index.html is
# the whole page, to open from its folder or to put on any static host.
set -euo pipefail
cd "$(dirname "$0")/.."

# emcc's JavaScript optimiser (at -O1 and above) looks for Debian's acorn under NODE_PATH.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web -j"${TARVEX_JOBS:-2}"
echo "build-web/page/index.html"

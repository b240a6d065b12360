#!/usr/bin/env bash
# Remakes the teaching pictures in docs/: a still of each stroke, seen with the crank train
# singled out, and the timing diagram of one cycle with its table.
#   scripts/make-docs.sh [BUILD_DIR]      (default: build; it is built first)
# Without an X display the stills are drawn on a virtual one (xvfb-run).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
docs=$root/docs

cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target tarvex-stills
stills=$build/tarvex-stills

export LIBGL_ALWAYS_SOFTWARE=1
display=()
if [ -z "${DISPLAY:-}" ]; then
  display=(xvfb-run -a -s "-screen 0 1280x1024x24")
fi

# Crank angles in the middle of each stroke; 370 degrees is just past the spark.
angles=(90 270 370 630)
for i in 1 2 3 4; do
  "${display[@]}" "$stills" --angle "${angles[i-1]}" --view crank --output "$docs/stroke-$i.png"
done
"$stills" --timing-csv "$docs/timing.csv" --timing-png "$docs/timing.png"
echo "Wrote docs/stroke-1.png ... stroke-4.png, docs/timing.png and docs/timing.csv"

#!/usr/bin/env bash
# Remakes the teaching material in docs/ with tarvex-stills: a still of each stroke, seen with
# the crank train singled out, the timing diagram of one cycle (PNG and SVG) with its table, the
# valve-timing circle (the engine's cycle, and a real engine's with the textbooks' angles) and the
# p-V diagram (a petrol engine's compression ratio, 9.5, and the animated engine's 3.6) with their blank variants, the A4
# worksheet, its blank variant for exercises and that exercise's answer key, with a view of the
# first two's first pages, and the
# animation of one cycle.
#   scripts/make-docs.sh [BUILD_DIR]      (default: build; it is built first)
# The pictures are drawn on a private virtual display with Mesa's software renderer whatever
# display there is, so that a re-run makes the same bytes (the PDFs' dates are the date of the
# tool's last change).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
docs=$root/docs

cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target tarvex-stills
stills=$build/tarvex-stills

export LIBGL_ALWAYS_SOFTWARE=1
unset DISPLAY
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct -- tools/stills 2>/dev/null || true)
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-0}

# Crank angles in the middle of each stroke; 370 degrees is just past the spark.
angles=(90 270 370 630)
for i in 1 2 3 4; do
  "$stills" --angle "${angles[i-1]}" --view crank --output "$docs/stroke-$i.png"
done
"$stills" --timing-csv "$docs/timing.csv" --timing "$docs/timing.png"
"$stills" --timing "$docs/timing.svg"
real=(--aoa 10 --rfa 40 --aoe 45 --rfe 10 --aa 15)
"$stills" --valve-circle "$docs/valve-circle.png" --pv "$docs/pv.png"
"$stills" --valve-circle "$docs/valve-circle.svg" --pv "$docs/pv.svg"
"$stills" --valve-circle-blank "$docs/valve-circle-blank.png" --pv-blank "$docs/pv-blank.png"
"$stills" "${real[@]}" --valve-circle "$docs/valve-circle-real.png" \
  --valve-circle-blank "$docs/valve-circle-real-blank.png"
"$stills" --compression-ratio 3.6 --pv "$docs/pv-3.6.png"
"$stills" --seed 1 --worksheet "$docs/worksheet.pdf" --worksheet-blank "$docs/worksheet-blank.pdf" \
  --worksheet-key "$docs/worksheet-key.pdf"
# A view of each sheet's first page for the README and the teachers' guide.
pdftoppm -png -r 50 -singlefile -f 1 -l 1 "$docs/worksheet.pdf" "$docs/fiche-page1"
pdftoppm -png -r 50 -singlefile -f 1 -l 1 "$docs/worksheet-blank.pdf" "$docs/exercice-page1"
"$stills" --animation "$docs/cycle.gif"
echo "Wrote docs/stroke-1.png ... stroke-4.png, docs/timing.png, timing.svg, timing.csv,"
echo "docs/valve-circle*.png, valve-circle.svg, pv*.png, pv.svg,"
echo "docs/worksheet.pdf, worksheet-blank.pdf, worksheet-key.pdf with fiche-page1.png and exercice-page1.png, and cycle.gif"

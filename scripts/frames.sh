#!/usr/bin/env bash
# Writes the engine's stills for comparing two builds byte for byte: the four strokes' telling
# angles in each view mode, with and without gas and block, textured and not (the
# block's texture, so only with it), in the screen
# style, and the print style's pictures. A redesign that must change nothing shows it with
#   scripts/frames.sh build-before DIR1 && scripts/frames.sh build-after DIR2 && diff -r DIR1 DIR2
# DIR must not exist yet. Each still is made on the tool's own private display.
set -euo pipefail
unset DISPLAY
build=$(realpath "$1")
out=$2
mkdir "$out"
out=$(realpath "$out")
root=$(realpath "$(dirname "$0")/..")
cd "$root/assets"      # the texture is read from the working directory

run() {
  local name=$1
  shift
  "$build/tarvex-stills" "--output=$out/$name.png" "$@"
}

stills() {
  for angle in 90 270 365 630; do
    for view in engine block crank valves; do
      for gas in on off; do
        for block in on off; do
          for textures in on off; do
            # the texture is the block's: asked without it, the tool refuses
            [ "$block$textures" = offon ] && continue
            run "screen-$angle-$view-gas$gas-block$block-tex$textures" --angle=$angle --view=$view \
              --gas=$gas --block=$block --textures=$textures
          done
        done
      done
    done
    run "print-$angle" --style=print --angle=$angle
  done
}

stills
echo "$(ls "$out" | wc -l) stills in $out"

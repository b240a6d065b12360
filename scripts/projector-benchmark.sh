#!/usr/bin/env bash
# Projector mode's frame rate on one software core, as in a classroom PC without a graphics
# driver: the frame benchmark's windowed start values (800 x 600) and projector mode at
# 1920 x 1080 with the stroke title and its explanation, the help shown and hidden. Several
# builds are measured in one run, their rounds alternating, so that they share the machine's
# moods; each configuration runs in a process of its own. Prints medians of the rounds.
#   projector-benchmark.sh ROUNDS BUILD_DIR...    (each with tarvex_frame_benchmark built)
set -euo pipefail
rounds=${1:?rounds}
shift
[ $# -gt 0 ] || { echo "usage: $0 ROUNDS BUILD_DIR..." >&2; exit 2; }
core=${TARVEX_BENCH_CORE:-1}              # the one core, the renderer's rasteriser on it too

if [ -z "${TARVEX_BENCH_INNER:-}" ]; then
  export TARVEX_BENCH_INNER=1 LIBGL_ALWAYS_SOFTWARE=1
  exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" "$rounds" "$@"
fi

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
configs=(start_values projector_help/ projector_help_off)
for _ in $(seq "$rounds"); do
  for build in "$@"; do
    for config in "${configs[@]}"; do
      # CSV: name, iterations, real_time, cpu_time (microseconds), ...
      (cd "$build" && LP_NUM_THREADS=1 taskset -c "$core" ./tarvex_frame_benchmark --benchmark_filter="$config" \
         --benchmark_min_time=0.5 --benchmark_format=csv 2>/dev/null) |
        awk -F, -v b="$build" -v c="${config%/}" '$1 ~ /^"frame\// {print b, c, $3, $4}' >> "$results/all"
    done
  done
done

median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

echo "One core (LP_NUM_THREADS=1, taskset -c $core), $rounds rounds, medians; first build = 1.00"
printf '%-20s %-28s %9s %8s %9s %9s\n' configuration build wall-ms fps cpu-ms speed-up
for config in "${configs[@]}"; do
  config=${config%/}
  first=""
  for build in "$@"; do
    wall=$(awk -v b="$build" -v c="$config" '$1 == b && $2 == c {print $3}' "$results/all" | median)
    cpu=$(awk -v b="$build" -v c="$config" '$1 == b && $2 == c {print $4}' "$results/all" | median)
    [ -n "$first" ] || first=$wall
    awk -v c="$config" -v b="$build" -v w="$wall" -v p="$cpu" -v f="$first" 'BEGIN {
      printf "%-20s %-28s %9.2f %8.1f %9.2f %9.2f\n", c, b, w / 1000, 1e6 / w, p / 1000, f / w }'
  done
done

#!/usr/bin/env bash
# Frame rate of Tarvex at 800 x 600 against the cheapest GLUT frame (clear and swap), measured
# side by side in one run on whatever OpenGL there is (Mesa's software renderer on a virtual
# display when there is no X display). Frames are counted by a preloaded swap counter.
#   benchmark.sh [SECONDS_PER_RUN] [ROUNDS]
# With WINDOWS=1 it also runs build-windows/'s tarvex.exe under Wine in each round, its frames
# counted by Wine's own frame-rate trace (a preloaded counter does not see Wine's swaps).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}
rounds=${2:-3}

if [ -z "${TARVEX_BENCH_INNER:-}" ]; then
  bash scripts/install-deps.sh
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build -j"$(nproc)" --target tarvex tarvex_baseline tarvex_count_swaps >/dev/null
  [ -z "${WINDOWS:-}" ] || bash scripts/build-windows.sh >/dev/null
  export TARVEX_BENCH_INNER=1
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec bash "$0" "$seconds" "$rounds"
  fi
  export LIBGL_ALWAYS_SOFTWARE=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$seconds" "$rounds"
fi

build=$(pwd)/build
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
if [ -n "${WINDOWS:-}" ]; then
  export WINEPREFIX=$(pwd)/build-windows/wine-prefix WINEDLLOVERRIDES="mscoree,mshtml=" TMPDIR=$results
  trap 'wineserver -k 2>/dev/null || true; rm -rf "$results"' EXIT
  [ -d "$WINEPREFIX" ] || WINEDEBUG=-all timeout 120 wineboot -i
fi

# One run: prints "fps ms_per_frame first_frame_ms peak_rss_kib".
run_one() {
  local program=$1 title=$2 log=$results/swaps
  rm -f "$log"
  (cd "$build" && TARVEX_SWAP_LOG=$log LD_PRELOAD=$build/libtarvex_count_swaps.so "./$program" >/dev/null) &
  local pid=$!
  timeout 15 xdotool search --sync --onlyvisible --name "$title" >/dev/null
  sleep "$seconds"
  local child
  child=$(pgrep -P $pid -x "$program" || echo $pid)
  local hwm
  hwm=$(awk '/VmHWM/ {print $2}' /proc/"$child"/status)
  timeout 5 xdotool mousemove --sync 400 300
  timeout 5 xdotool key q
  wait $pid
  awk -v hwm="$hwm" '
    /^swaps/ {n = $2} /^first_swap_s/ {f = $2} /^last_swap_s/ {l = $2}
    END { fps = (n - 1) / (l - f); printf "%.1f %.3f %.1f %d\n", fps, 1000 / fps, f * 1000, hwm }' "$log"
}

# One run of tarvex.exe: prints "fps ms_per_frame", Wine's frame rate since the first frame.
run_wine() {
  local log=$results/wine
  (cd build-windows/tarvex-*-windows-x64 && WINEDEBUG=-all,+fps exec wine tarvex.exe >/dev/null 2>"$log") &
  local pid=$! window
  window=$(timeout 60 xdotool search --sync --onlyvisible --name "Tarvex " | head -1)
  sleep "$seconds"
  timeout 5 xdotool mousemove --window "$window" 400 300 sleep 0.3 key q
  wait $pid
  awk '/trace:fps/ {f = $NF + 0} END { if (f == 0) { print "no frame rate from Wine" > "/dev/stderr"; exit 1 }
                                       printf "%.1f %.3f\n", f, 1000 / f }' "$log"
}

median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

for _ in $(seq "$rounds"); do
  run_one tarvex_baseline "Tarvex baseline" >> "$results/baseline"
  run_one tarvex "Tarvex " >> "$results/tarvex"
  [ -z "${WINDOWS:-}" ] || run_wine >> "$results/tarvex.exe"
done

renderer=$(glxinfo -B 2>/dev/null | awk -F': ' '/OpenGL renderer/ {print $2}' || true)
echo "Frame rate at 800 x 600, $rounds rounds of $seconds s, medians${renderer:+ ($renderer)}"
printf '%-22s %10s %10s %16s %14s\n' program fps ms/frame first-frame-ms peak-RSS-KiB
for name in baseline tarvex; do
  f=$results/$name
  printf '%-22s %10s %10s %16s %14s\n' "$name" \
    "$(cut -d' ' -f1 "$f" | median)" "$(cut -d' ' -f2 "$f" | median)" \
    "$(cut -d' ' -f3 "$f" | median)" "$(cut -d' ' -f4 "$f" | median)"
done
fb=$(cut -d' ' -f1 "$results/baseline" | median)
ft=$(cut -d' ' -f1 "$results/tarvex" | median)
sb=$(cut -d' ' -f3 "$results/baseline" | median)
st=$(cut -d' ' -f3 "$results/tarvex" | median)
awk -v fb="$fb" -v ft="$ft" -v sb="$sb" -v st="$st" 'BEGIN {
  printf "frame-rate ratio tarvex/baseline: %.2f (target at least 0.5)\n", ft / fb
  printf "first-frame ratio tarvex/baseline: %.2f (target at most 1.5)\n", st / sb }'
if [ -n "${WINDOWS:-}" ]; then
  fw=$(cut -d' ' -f1 "$results/tarvex.exe" | median)
  printf '%-22s %10s %10s\n' "tarvex.exe under Wine" "$fw" "$(cut -d' ' -f2 "$results/tarvex.exe" | median)"
  awk -v fw="$fw" -v ft="$ft" 'BEGIN { printf "frame-rate ratio Wine/Linux: %.2f\n", fw / ft }'
fi

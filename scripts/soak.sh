#!/usr/bin/env bash
# Soak run of the real program on the current X display: SECONDS (default 60) of random keys
# (never q, Q or Escape) and mouse events. Fails if it crashed, stopped drawing, or its resident
# memory grew more than RSS_LIMIT_KIB (default 8 MiB) from the end of a 20 s warm-up to the end
# (llvmpipe compiles a shader variant the first time each drawing mode is seen: about 20 MiB).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
limit_kib=${RSS_LIMIT_KIB:-8192}
warmup=${WARMUP_SECONDS:-20}
binary=${TARVEX:-build/tarvex}
workdir=$(dirname "$binary")

scratch=$(mktemp -d /tmp/tarvex-soak.XXXXXX)
pid=
# Whatever ends the run, nothing stays behind: the program is stopped and its files removed.
cleanup() { if [ -n "$pid" ]; then kill -9 "$pid" 2>/dev/null || true; fi; rm -rf "$scratch"; }
trap cleanup EXIT
rss() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
fail() { echo "soak: $*" >&2; exit 1; }
shot() { import -window "$window" "$1" 2>/dev/null; }
keys=(a l e f t r 1 2 3 4 5 6 plus minus Left Right Up Down space n b j k F11)

# One burst: 20 random keys with the pointer somewhere on the window, then one mouse gesture.
burst() {
  local batch=()
  for _ in $(seq 20); do batch+=("${keys[RANDOM % ${#keys[@]}]}"); done
  timeout 10 xdotool mousemove $((RANDOM % 800)) $((RANDOM % 600)) key --delay 5 "${batch[@]}" \
    || fail "xdotool did not finish"
  case $((RANDOM % 4)) in
    0) timeout 10 xdotool mousedown 1 mousemove_relative -- $((RANDOM % 60 - 30)) $((RANDOM % 60 - 30)) mouseup 1 ;;
    1) timeout 10 xdotool mousedown 3 mousemove_relative -- 0 $((RANDOM % 40 - 20)) mouseup 3 ;;
    2) timeout 10 xdotool click $((4 + RANDOM % 2)) ;;
    3) timeout 10 xdotool click 2 ;;
  esac
}

(cd "$workdir" && exec ./"$(basename "$binary")") > "$scratch/out" 2>&1 &
pid=$!
window=$(timeout 10 xdotool search --sync --onlyvisible --name Tarvex | head -1) || fail "no window"

# The warm-up goes through the same random input, so every drawing mode has been seen once.
end=$((SECONDS + warmup))
while [ $SECONDS -lt $end ]; do burst; done
before=$(rss "$pid")

end=$((SECONDS + seconds))
while [ $SECONDS -lt $end ]; do
  kill -0 "$pid" 2>/dev/null || fail "the program ended during the run"
  burst
done
kill -0 "$pid" 2>/dev/null || fail "the program ended during the run"
after=$(rss "$pid")

# Still drawing, from a known state: windowed, running (no pause line) at the start speed
# (the middle button); then two screenshots 1 s apart, 36 degrees of the cycle, with no key
# pressed between them must differ: the engine moves by itself.
size() { xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
pause_lit() {   # bright pixels of the pause line's place, bottom left at 800 x 600
  convert "$1" -crop 200x25+0+470 -threshold 78% -format '%[fx:int(mean*w*h)]' info:
}
xdotool mousemove 400 300
if [ "$(size)" != 800x600 ]; then
  xdotool key F11
  for _ in $(seq 100); do [ "$(size)" = 800x600 ] && break; sleep 0.1; done
fi
xdotool click 2
shot "$scratch/state.png"
[ "$(pause_lit "$scratch/state.png")" -gt 30 ] && xdotool key space
# The random keys may have left a view or a camera where nothing moves for a second (the valves
# alone in the compression stroke, the moving parts behind the block), so the pair is taken in
# up to three pictures of the engine: the whole engine, then the block and then the gas switched
# over. A key goes only between pairs, never inside one, so a stalled clock fails all three.
xdotool key 1
changed=0
for switch in none 6 5; do
  [ "$switch" = none ] || xdotool key "$switch"
  shot "$scratch/a.png"; sleep 1; shot "$scratch/b.png"
  changed=$(compare -metric AE "$scratch/a.png" "$scratch/b.png" null: 2>&1 || true)
  changed=${changed%% *}
  [ "$changed" != "0" ] && break
done
echo "soak: ${seconds} s, VmRSS ${before} KiB after a ${warmup} s warm-up, ${after} KiB at the end, ${changed} pixels changed in 1 s"
[ "$changed" != "0" ] || fail "the window did not change in 1 s in any view: the engine stands still"
[ $((after - before)) -le "$limit_kib" ] || fail "VmRSS grew by $((after - before)) KiB (limit ${limit_kib})"

xdotool key q
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "still running 5 s after q"
wait "$pid" || fail "exit status $? after q"
echo "soak: passed"

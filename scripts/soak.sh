#!/usr/bin/env bash
# Soak run of the real program on the current X display: SECONDS (default 60) of random keys
# (never q, Q or Escape) and mouse events. Fails if it crashed, stopped drawing, or its resident
# memory grew more than RSS_LIMIT_KIB (default 16 MiB) from the end of a 20 s warm-up to the end,
# both read in the window. llvmpipe compiles a shader variant the first time each drawing mode is
# seen (about 20 MiB in all), the random keys still reach new modes after the warm-up, and the
# renderer's memory rises and falls with the full screen's buffers: runs of 5 s moved by -8 to
# +9 MiB. A leak of a frame's worth of anything goes past the limit within the minute.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
limit_kib=${RSS_LIMIT_KIB:-16384}
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

size() { xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
# Back to the window, if the random keys left it filling the screen: the memory is read in the
# window both times, since the full screen's larger buffers are no leak.
# An F11 of the last burst may still be on its way: the program shows no sign of having read
# its input, so the size must stay the window's for half a second.
windowed() {
  xdotool mousemove 400 300
  for _ in $(seq 5); do
    if [ "$(size)" != 800x600 ]; then
      xdotool key F11
      for _ in $(seq 100); do [ "$(size)" = 800x600 ] && break; sleep 0.1; done
    fi
    sleep 0.5
    [ "$(size)" = 800x600 ] && return
  done
}

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

# The warm-up first draws every view with each of the textures, the gas and the block on and off,
# in the window and filling the screen, with the overlay's texts, the light markers and a flicker:
# how many random bursts fit in the time depends on the machine's load, and on a busy machine
# they once left whole modes to be first drawn, and their memory first taken, after the reading.
# Then the same random input as the run.
tour() {
  xdotool mousemove 400 300
  for _ in window full; do
    for view in 1 2 3 4; do
      xdotool key "$view"
      for _ in 1 2; do
        for _ in 1 2; do
          for _ in 1 2; do xdotool key 6; sleep 0.05; done
          xdotool key 5; sleep 0.05
        done
        xdotool key t; sleep 0.05
      done
    done
    xdotool key a e f r l; sleep 0.6; xdotool key a e f r
    local was; was=$(size)
    xdotool key F11
    for _ in $(seq 30); do [ "$(size)" != "$was" ] && break; sleep 0.1; done
  done
}
tour
end=$((SECONDS + warmup))
while [ $SECONDS -lt $end ]; do burst; done
windowed
before=$(rss "$pid")

end=$((SECONDS + seconds))
while [ $SECONDS -lt $end ]; do
  kill -0 "$pid" 2>/dev/null || fail "the program ended during the run"
  burst
done
kill -0 "$pid" 2>/dev/null || fail "the program ended during the run"

# Still drawing, from a known state: windowed, running (no pause line) at the start speed
# (the middle button), the whole engine in view; then two screenshots 1 s apart, 36 degrees of
# the cycle, with no key pressed between them must differ: the engine moves by itself.
# The last burst's keys may still be on their way (an F11 taking effect after the size was
# read), and a random camera can leave nothing moving for a second (the moving parts behind
# the block), so the state is made again for each of up to four pairs, the block or the gas
# switched over between them. A key goes only between pairs, never inside one, so a stalled
# clock fails them all.
shot_size() { identify -format '%wx%h' "$1"; }
pause_lit() {   # bright pixels of the pause line's place, bottom left at 800 x 600
  convert "$1" -crop 200x25+0+470 -threshold 78% -format '%[fx:int(mean*w*h)]' info:
}
changed=0
for switch in none 6 5 none; do
  windowed
  [ "$switch" = none ] || xdotool key "$switch"
  xdotool click 2 key 1
  shot "$scratch/state.png"
  [ "$(shot_size "$scratch/state.png")" = 800x600 ] || continue
  [ "$(pause_lit "$scratch/state.png")" -gt 30 ] && xdotool key space
  shot "$scratch/a.png"; sleep 1; shot "$scratch/b.png"
  [ "$(shot_size "$scratch/a.png")" = 800x600 ] && [ "$(shot_size "$scratch/b.png")" = 800x600 ] || continue
  # Below the top rows, where a frame rate shown by the random keys changes with no clock.
  changed=$(compare -metric AE "$scratch/a.png[800x570+0+30]" "$scratch/b.png[800x570+0+30]" null: 2>&1 || true)
  changed=${changed%% *}
  [ "$changed" != "0" ] && break
done
windowed
after=$(rss "$pid")
echo "soak: ${seconds} s, VmRSS ${before} KiB after a ${warmup} s warm-up, ${after} KiB at the end, ${changed} pixels changed in 1 s"
[ "$changed" != "0" ] || fail "the window did not change in 1 s in any of four tries: the engine stands still"
[ $((after - before)) -le "$limit_kib" ] || fail "VmRSS grew by $((after - before)) KiB (limit ${limit_kib})"

xdotool key q
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "still running 5 s after q"
wait "$pid" || fail "exit status $? after q"
echo "soak: passed"

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

rss() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
fail() { echo "soak: $*" >&2; kill -9 "$pid" 2>/dev/null || true; exit 1; }
shot() { import -window "$window" "$1" 2>/dev/null; }
keys=(a l e f t r 1 2 3 4 5 6 plus minus Left Right Up Down)

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

(cd "$workdir" && exec ./"$(basename "$binary")") > /tmp/tarvex-soak.$$.out 2>&1 &
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

# Still drawing: two screenshots 0.5 s apart, the help screen switched over between them, differ.
# The engine's own motion would not do: the random camera can leave the moving parts hidden in
# the block, and in the compression stroke the valves stand still.
xdotool mousemove 400 300
sleep 0.3
shot /tmp/tarvex-soak.$$.a.png; xdotool key a; sleep 0.5; shot /tmp/tarvex-soak.$$.b.png
changed=$(compare -metric AE /tmp/tarvex-soak.$$.a.png /tmp/tarvex-soak.$$.b.png null: 2>&1 || true)
rm -f /tmp/tarvex-soak.$$.a.png /tmp/tarvex-soak.$$.b.png
echo "soak: ${seconds} s, VmRSS ${before} KiB after a ${warmup} s warm-up, ${after} KiB at the end, ${changed} pixels changed in 0.5 s"
[ "${changed%% *}" != "0" ] || fail "the window did not change in 0.5 s: not drawing"
[ $((after - before)) -le "$limit_kib" ] || fail "VmRSS grew by $((after - before)) KiB (limit ${limit_kib})"

xdotool key q
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "still running 5 s after q"
wait "$pid" || fail "exit status $? after q"
rm -f /tmp/tarvex-soak.$$.out
echo "soak: passed"

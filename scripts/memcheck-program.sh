#!/usr/bin/env bash
# The real program under valgrind's memcheck on the current X display for SECONDS (default 20):
# the texture switched on, a pick, a drag, view and speed keys, then q. Fails on any invalid
# read or write or use of an uninitialised value, and if q does not end it with status 0.
# Leaks are not counted here: what is still held at exit is Mesa's context state, which GLUT's
# exit() never destroys (the unit tests' run checks the project's own allocations).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
binary=${TARVEX:-build/tarvex}
workdir=$(dirname "$binary")
log=$(mktemp /tmp/tarvex-memcheck.XXXXXX)
trap 'rm -f "$log"' EXIT

fail() { echo "memcheck: $*" >&2; cat "$log" >&2; kill -9 "$pid" 2>/dev/null || true; exit 1; }

(cd "$workdir" && exec valgrind -q --vgdb=no --error-exitcode=9 --leak-check=no --track-origins=yes \
  ./"$(basename "$binary")") > "$log" 2>&1 &
pid=$!
# Under memcheck a frame takes seconds on the software renderer, many more on a busy machine.
window=$(timeout 120 xdotool search --sync --onlyvisible --name Tarvex | head -1) \
  || fail "no window within 120 s"
timeout 10 xdotool mousemove --window "$window" 400 300 || fail "xdotool did not finish"
sleep 1

end=$((SECONDS + seconds))
timeout 30 xdotool key t 2 3 4 1 plus plus minus Left Up a e f || fail "xdotool did not finish"
timeout 30 xdotool click 1 mousedown 1 mousemove_relative -- 40 10 mouseup 1 || fail "xdotool did not finish"
while [ $SECONDS -lt $end ]; do
  kill -0 "$pid" 2>/dev/null || fail "the program ended during the run"
  sleep 1
done

timeout 10 xdotool mousemove --window "$window" 400 300 key q || fail "xdotool did not finish"
for _ in $(seq 900); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "still running 90 s after q"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after q (9: memcheck found errors)"
grep -q "fichier" "$log" && fail "the texture was not read"
echo "memcheck: ${seconds} s of the real program, no invalid access or uninitialised value"

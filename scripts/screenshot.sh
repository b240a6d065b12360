#!/usr/bin/env bash
# On the current X display: starts build/tarvex, lets it run, saves a PNG of its window and
# ends it with its own quit key.
#   screenshot.sh BUILD_DIR OUTPUT.png SECONDS [program arguments...]
set -euo pipefail
build=$1 output=$2 seconds=$3
shift 3
output=$(realpath -m "$output")

cd "$build"
./tarvex "$@" >/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

wid=$(timeout 15 xdotool search --sync --onlyvisible --name Tarvex | head -1)
sleep "$seconds"
import -window "$wid" "$output"

# No window manager here: keys go to the window under the pointer.
timeout 5 xdotool mousemove --sync 400 300
timeout 5 xdotool key q
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then
  echo "tarvex did not quit on its q key" >&2
  exit 1
fi
trap - EXIT
wait $pid

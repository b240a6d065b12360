#!/usr/bin/env bash
# End-to-end check of the Windows package's tarvex.exe under Wine on the current X display:
# banner bytes (in a console, in a command prompt's, in a file), title, icon, a drawn frame, the
# texture, picking, pausing and stepping the cycle, projector mode from a moved window, and q
# ending it with status 0.
# Wine's prefix is made once per build in build-windows/; nothing is left running, in /tmp or in
# the home folder.
set -euo pipefail
source "$(dirname "$0")/lib/find-window.sh"
cd "$(dirname "$0")/../build-windows"
work=$(mktemp -d "$PWD/smoke.XXXXXX")
# Wine's menu builder writes desktop entries and file types for the prefix: into $work too.
export WINEPREFIX=$PWD/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" TMPDIR=$work \
  XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "windows-smoke: $*" >&2; exit 1; }
[ -d "$WINEPREFIX" ] || timeout 120 wineboot -i 2>/dev/null || { rm -rf "$WINEPREFIX"; fail "wineboot -i failed"; }
unzip -q tarvex-*-windows-x64.zip -d "$work/app"
start() {
  (cd "$work/app" && exec "$@" >"$work/out" 2>/dev/null) & pid=$!
  win=$(find_window 60 '^Tarvex') || fail "no window"
}
quit() {
  timeout 10 xdotool mousemove --window "$win" 400 300 sleep 0.3 key q
  for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  kill -0 $pid 2>/dev/null && fail "still running 10 s after q"
  wait $pid || fail "status $? after q"
}

# A console gets the banner through its wide-character interface: this UTF-8 terminal shows "à".
start script -qfec "wine tarvex.exe" "$work/console"; quit
grep -q 'Projet: Tarvex à explosion' "$work/console" || fail "console: $(grep -a Projet "$work/console")"
# From a command prompt (cmd): `start /wait` hands the program no output handle, so it attaches
# to the prompt's console, where its banner and a missing texture's message appear; the prompt
# gets the program's status (1). Wine's console draws a space as a move to the right (ESC [ 1 C).
mkdir "$work/bare" && cp "$work/app/tarvex.exe" "$work/bare/"
(cd "$work/bare" && exec script -qfec "wine cmd /c start /wait tarvex.exe" "$work/prompt" >/dev/null) & pid=$!
win=$(find_window 60 '^Tarvex') || fail "prompt: no window"
timeout 10 xdotool mousemove --window "$win" 400 300 sleep 0.3 key t
status=0; timeout 20 tail --pid=$pid -f /dev/null || fail "prompt: still running 20 s after t"
wait $pid || status=$?
[ $status = 1 ] || fail "prompt: status $status after t with no texture, not the program's 1"
prompt=$(sed -e 's/\x1b\[1C/ /g' -e 's/\x1b\[[0-9;?]*[A-Za-z]//g' "$work/prompt" | tr -d '\r')
grep -q '^ *Projet: Tarvex à explosion$' <<<"$prompt" || fail "prompt: no banner in $(cat -A "$work/prompt" | head)"
grep -q '^fichier textureAluminum.ppm introuvable *$' <<<"$prompt" || fail "prompt: no texture message in $prompt"

start wine tarvex.exe               # a file gets the Latin-1 byte and Windows line ends
[ "$(grep -c $'\r$' "$work/out")" = 6 ] && grep -q $'Projet: Tarvex \xE0 explosion\r$' "$work/out" \
  || fail "banner: $(od -c "$work/out" | head -12)"
[ "$(xprop -id "$win" _NET_WM_NAME)" = '_NET_WM_NAME(UTF8_STRING) = "Tarvex à explosion (essence, 4 temps)"' ] \
  || fail "title: $(xprop -id "$win" _NET_WM_NAME)"
# The window's icon, from the exe's resource, is the program's: its first picture, 32 pixels a
# side in ARGB words, is packaging/tarvex.svg drawn at that size.
{ echo 32; echo 32; rsvg-convert -w 32 -h 32 ../packaging/tarvex.svg | convert - -depth 8 rgba:- \
    | od -An -v -tu1 -w4 | awk '{printf "%.0f\n", $4 * 16777216 + $1 * 65536 + $2 * 256 + $3}'; } > "$work/icon.svg"
# The first 1026 words are read with sed, which reads on to the end: head would stop reading
# there and the larger pictures after it would end xprop with SIGPIPE, failing the script.
xprop -id "$win" -notype 32c _NET_WM_ICON | sed 's/^[^=]*=//' | tr -d ' ' | tr ',' '\n' | sed -n '1,1026p' > "$work/icon.win"
cmp -s "$work/icon.svg" "$work/icon.win" || fail "the window's icon is not the program's: $(head -c 80 "$work/icon.win")"

# Waits up to 10 s for a picture that differs from picture $2 (when given) and holds still
# (the crank is stopped first), and keeps it as $1.
n=0
settle() {
  for _ in $(seq 20); do
    sleep 0.5; n=$((n + 1)); kill -0 $pid 2>/dev/null || fail "$1: the program ended"
    timeout 10 import -window "$win" "$work/$n.png" || fail "$1: no screenshot"
    [ $n -gt 1 ] && [ "$(differ $n $((n - 1)))" = 0 ] && { [ -z "${2:-}" ] || [ "$(differ $n "$2")" -gt 500 ]; } \
      && { cp "$work/$n.png" "$work/$1.png"; return; }
  done
  fail "$1: no new steady picture${2:+ after $2}"
}
differ() { compare -metric AE -fuzz 2% "$work/$1.png" "$work/$2.png" null: 2>&1 || true; }
click() { timeout 10 xdotool mousemove --window "$win" "$1" "$2" sleep 0.3 click 1; }
timeout 10 xdotool mousemove --window "$win" 700 80 key --delay 50 minus a e
settle crank
[ "$(convert "$work/crank.png" -format %k info:)" -gt 100 ] || fail "a blank frame"
click 700 80; settle whole crank                 # the background: nothing singled out
timeout 10 xdotool key t; settle textured whole  # the texture beside the exe is read
timeout 10 xdotool key t; click 327 394; settle again textured   # the crank axis
[ "$(differ crank again)" -lt 50 ] || fail "a click on the crankshaft did not single it out"

# Running again, the space bar holds the picture (settle waits for two equal ones in a row); n
# goes on to the next stroke and k ten degrees on, each a new picture that holds.
timeout 10 xdotool key plus sleep 1 key space; settle paused again
timeout 10 xdotool key n; settle stroke paused
timeout 10 xdotool key --delay 50 k k k k k k k k k k; settle degrees stroke

# F11 fills the screen; F11 again gives the window back its size and place.
place() { xwininfo -id "$win" | awk '/Absolute upper-left|Width:|Height:/ {printf "%s ", $NF}'; }
expect_place() {
  for _ in $(seq 50); do [ "$(place)" = "$1" ] && return; sleep 0.2; done
  fail "$2: the window is at $(place), not $1"
}
# Moved off the corner first, so that putting it back is seen to happen.
timeout 10 xdotool windowmove --sync "$win" 150 100
windowed="150 100 $(xwininfo -id "$win" | awk '/Width:|Height:/ {printf "%s ", $NF}')"
expect_place "$windowed" "moved"
timeout 10 xdotool key F11; expect_place "0 0 $(xdotool getdisplaygeometry) " "F11"
timeout 10 xdotool key F11; expect_place "$windowed" "F11 again"
quit
echo "windows-smoke: passed"

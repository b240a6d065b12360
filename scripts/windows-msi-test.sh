#!/usr/bin/env bash
# The Windows installer under Wine on the current X display: its tables (msiinfo), a silent
# install into a fresh prefix, Tarvex started from its Start-menu shortcut (engine, texture,
# no console window, the program's icon), and a silent uninstall that leaves none of its files.
# Also checks that tarvex.exe is a GUI-subsystem program with the program's icon inside. Each run
# makes its own fresh Wine prefix inside build-windows/ and removes it; nothing is left running,
# in /tmp or in the home folder.
set -euo pipefail
source "$(dirname "$0")/lib/find-window.sh"
cd "$(dirname "$0")/../build-windows"
fail() { echo "windows-msi-test: $*" >&2; exit 1; }
msi=$(ls tarvex-*-x64.msi | grep -v windows | head -1)
version=${msi#tarvex-}; version=${version%-x64.msi}
exe=tarvex-$version-windows-x64/tarvex.exe

# Subsystem 2 is the Windows GUI: no console opens with it.
subsystem=$(objdump -p "$exe" | awk '$1 == "Subsystem" {print $2}')
[ "$subsystem" = 00000002 ] || fail "tarvex.exe is of subsystem $subsystem, not the GUI's (2)"

table() { msiinfo export "$msi" "$1" | tr -d '\r'; }   # its lines end in CR LF
# The tables: the four files, the shortcut and its working folder, the upgrade code.
files=$(table File | tail -n +4 | cut -f3 | sort | tr '\n' ' ')
[ "$files" = "LICENSE LISEZMOI.txt tarvex.exe textureAluminum.ppm " ] || fail "File table: $files"
shortcut=$(table Shortcut | tail -n +4)
[ "$(cut -f2,3,5,12 <<<"$shortcut")" = $'ProgramMenuFolder\tTarvex\t[INSTALLDIR]tarvex.exe\tINSTALLDIR' ] \
  || fail "Shortcut table: $shortcut"
upgrade=$(table Property | awk -F'\t' '$1 == "UpgradeCode" {print $2}')
[ "$upgrade" = "{6D3C1F0E-8B2A-4C57-9E41-2F7A0B5D93C4}" ] || fail "UpgradeCode: $upgrade"
table Upgrade | grep -q "$upgrade" || fail "no Upgrade row: a newer MSI would not replace this one"
table Property | grep -q $'^ProductVersion\t'"$version"'$' || fail "ProductVersion is not $version"
table Property | grep -q $'^ALLUSERS\t1' || fail "not a per-machine package"

work=$(mktemp -d "$PWD/msi-test.XXXXXX")
# Wine's menu builder turns the shortcut into a desktop entry with its icon: into $work too.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" TMPDIR=$work \
  XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

# The program's icon, drawn at build time from packaging/tarvex.svg, is in the exe under the
# name freeglut loads for its window; at 32 pixels it is the SVG drawn at that size, exactly.
rsvg-convert -w 32 -h 32 -o "$work/icon.png" ../packaging/tarvex.svg
is_icon() { [ "$(compare -metric AE "$1" "$work/icon.png" null: 2>&1 || true)" = 0 ]; }
wrestool -x -t 14 -n GLUT_ICON -o "$work/exe.ico" "$exe" 2>/dev/null && [ -s "$work/exe.ico" ] \
  || fail "no icon GLUT_ICON in tarvex.exe: $(wrestool -l "$exe" 2>&1)"
icotool -x -w 32 -o "$work/exe.png" "$work/exe.ico" 2>/dev/null || fail "no 32-pixel icon: $(icotool -l "$work/exe.ico")"
is_icon "$work/exe.png" || fail "the icon in tarvex.exe is not the program's"
timeout 120 wineboot -i 2>/dev/null || fail "wineboot -i failed"
timeout 120 wine msiexec /i "$msi" /qn || fail "silent install: status $?"
dir="$WINEPREFIX/drive_c/Program Files/Tarvex"
[ "$(ls "$dir" | tr '\n' ' ')" = "LICENSE LISEZMOI.txt tarvex.exe textureAluminum.ppm " ] \
  || fail "installed: $(ls "$dir" 2>&1 | tr '\n' ' ')"
# Windows puts a per-machine package's shortcut in the common Start menu; Wine, which
# treats its one user as the machine, puts it in that user's.
lnk=$(find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Tarvex.lnk' | head -1)
[ -n "$lnk" ] || fail "no shortcut « Tarvex » in the Start menu"
# Its icon is the installed copy of tarvex.exe's; the menu Wine makes of it shows the program's.
icon=$(strings -el "$lnk" | grep -o 'C:\\windows\\Installer\\{[0-9A-F-]*}\\tarvex\.exe' | head -1 || true)
icon_copy=$WINEPREFIX/drive_c/windows/Installer/${icon#C:\\windows\\Installer\\}; icon_copy=${icon_copy//\\//}
[ -n "$icon" ] && cmp -s "$icon_copy" "$exe" || fail "the shortcut's icon is not tarvex.exe's: ${icon:-none}"
for _ in $(seq 50); do
  menu_icon=$(find "$XDG_DATA_HOME/icons" -path '*/32x32/apps/*tarvex*.png' 2>/dev/null | head -1 || true)
  [ -n "$menu_icon" ] && break; sleep 0.2
done
[ -n "$menu_icon" ] && is_icon "$menu_icon" || fail "the shortcut shows another icon: ${menu_icon:-none}"

# Started through the shortcut, as from the Start menu: a console program would get a console
# window of its own here. The shortcut's working folder is where the texture is read from.
wine start /unix "$lnk" 2>/dev/null
win=$(find_window 60 '^Tarvex') || fail "no window"
windows=$(xdotool search --onlyvisible --name '.' | sort -u)
[ "$windows" = "$win" ] || fail "other windows beside the engine's: $(for w in $windows; do xdotool getwindowname "$w"; done)"
shot() {   # waits up to 10 s for two equal pictures in a row and keeps the last as $1.png
  local prev="" i
  for i in $(seq 20); do
    sleep 0.5
    timeout 10 import -window "$win" "$work/$1.$i.png" || fail "$1: no screenshot"
    if [ -n "$prev" ] && [ "$(compare -metric AE -fuzz 2% "$prev" "$work/$1.$i.png" null: 2>&1 || true)" = 0 ]; then
      mv "$work/$1.$i.png" "$work/$1.png"; return; fi
    prev=$work/$1.$i.png
  done
  fail "$1: no steady picture"
}
timeout 10 xdotool mousemove --window "$win" 700 80 key --delay 50 minus a e
shot plain
[ "$(convert "$work/plain.png" -format %k info:)" -gt 100 ] || fail "a blank frame"
timeout 10 xdotool key t; shot textured
xdotool search --onlyvisible --name '^Tarvex' >/dev/null || fail "t ended the program: no texture in the working folder"
changed=$(compare -metric AE -fuzz 2% "$work/plain.png" "$work/textured.png" null: 2>&1 || true)
[ "$changed" -gt 500 ] || fail "no texture on the block: $changed pixels changed with t"
timeout 10 xdotool key q
timeout 20 wineserver -w || fail "Tarvex still running after q"

timeout 120 wine msiexec /x "$msi" /qn || fail "silent uninstall: status $?"
[ ! -e "$dir" ] || fail "left behind: $(find "$dir")"
[ ! -e "$lnk" ] || fail "the shortcut is left behind"
[ ! -e "$icon_copy" ] || fail "the shortcut's icon is left behind"
echo "windows-msi-test: passed"

#!/usr/bin/env bash
# Cross-builds Tarvex for 64-bit Windows and writes
# build-windows/tarvex-<version>-windows-x64.zip: tarvex.exe (static: it needs only Windows' own
# DLLs), its texture beside it, the licence and LISEZMOI.txt.
# freeglut is built from the Debian archive's source package, fetched through an apt
# configuration private to build-windows/ so that the system's apt setup is never changed;
# once built it is reused, so a second run only rebuilds Tarvex.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=$root/build-windows
toolchain=$root/cmake/mingw-w64-x86_64.cmake
glut=$out/freeglut                       # the installed static freeglut
jobs=$(nproc)

bash scripts/install-deps.sh
mkdir -p "$out"

# The machine's own archive: the first URI of a deb entry for this release, deb822 or one-line.
archive_uri() {
  local f=/etc/apt/sources.list.d/debian.sources
  if [ -f "$f" ]; then
    awk -v s="$1" 'BEGIN {RS = ""} /(^|\n)Types:[^\n]*deb( |\n|$)/ && $0 ~ "Suites:[^\n]* " s "( |\n|$)" {
      match($0, /URIs:[ \t]*[^ \t\n]+/); split(substr($0, RSTART, RLENGTH), u, /[ \t]+/); print u[2]; exit }' "$f"
  fi
  if [ -f /etc/apt/sources.list ]; then
    sed -n "s/^deb \(\[[^]]*\] \)\{0,1\}\([^ ]*\) $1 .*/\2/p" /etc/apt/sources.list
  fi
}

fetch_freeglut() {
  local apt=$out/apt uri suite
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  uri=$(archive_uri "$suite" | head -1)
  [ -n "$uri" ] || { echo "build-windows: no deb entry for $suite in the apt sources" >&2; exit 1; }
  rm -rf "$apt" && mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/src"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $uri $suite main" > "$apt/sources.list"
  local opts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
              -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root)
  apt-get "${opts[@]}" update -q
  (cd "$apt/src" && apt-get "${opts[@]}" source -q freeglut)
}

if [ ! -f "$glut/include/GL/glut.h" ]; then
  fetch_freeglut
  src=$(find "$out/apt/src" -maxdepth 1 -type d -name 'freeglut-*' | head -1)
  cmake -S "$src" -B "$out/freeglut-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$glut" \
    -DFREEGLUT_BUILD_STATIC_LIBS=ON -DFREEGLUT_BUILD_SHARED_LIBS=OFF \
    -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_REPLACE_GLUT=ON >/dev/null
  cmake --build "$out/freeglut-build" -j"$jobs" >/dev/null
  cmake --install "$out/freeglut-build" >/dev/null
  rm -rf "$out/freeglut-build" "$out/apt"
fi

cmake -S . -B "$out/tarvex" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DTARVEX_WINDOWS_PREFIX="$glut" >/dev/null
cmake --build "$out/tarvex" -j"$jobs" --target tarvex
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/tarvex/CMakeCache.txt")

# The package: texts get Windows line ends; LISEZMOI.txt a UTF-8 mark, so that every Notepad
# shows its accents.
stage=$out/tarvex-$version-windows-x64
rm -rf "$out"/tarvex-*-windows-x64 "$out"/tarvex-*-windows-x64.zip   # also other versions'
mkdir -p "$stage"
x86_64-w64-mingw32-strip -o "$stage/tarvex.exe" "$out/tarvex/tarvex.exe"
cp assets/textureAluminum.ppm "$stage/"
sed 's/$/\r/' LICENSE > "$stage/LICENSE"
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' packaging/windows/LISEZMOI.txt; } > "$stage/LISEZMOI.txt"
zip="$stage.zip"
zip -q -X -j "$zip" "$stage"/*
echo "build-windows: $zip ($(stat -c %s "$zip") bytes)"

# The installer. Its ProductCode is a name-based (SHA-1, version 5 layout) UUID of the version:
# every version gets its own, so that a newer MSI replaces the installed one (MajorUpgrade), and
# the same version built twice gets the same one, so that Windows knows it is installed already.
uuid=$(printf 'tarvex-msi-product-%s' "$version" | sha1sum | cut -c1-32)
product=$(printf '%s-%s-5%s-%x%s-%s' "${uuid:0:8}" "${uuid:8:4}" "${uuid:13:3}" \
  $(( (0x${uuid:16:1} & 3) | 8 )) "${uuid:17:3}" "${uuid:20:12}" | tr a-f A-F)
msi=$out/tarvex-$version-x64.msi
part=$(mktemp "$out/msi.XXXXXX")            # a failed build leaves the old MSI whole
trap 'rm -f "$part"' EXIT
# wixl takes the files' paths relative to the folder it runs in.
(cd "$out" && wixl -a x64 -D Version="$version" -D ProductCode="$product" -D Stage="${stage##*/}" \
  -o "$part" "$root/packaging/windows/tarvex.wxs")
rm -f "$out"/tarvex-*-x64.msi                # also other versions'
chmod 644 "$part" && mv "$part" "$msi"
echo "build-windows: $msi ($(stat -c %s "$msi") bytes)"

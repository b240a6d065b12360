#!/usr/bin/env bash
# Builds the browser page and writes build-web/tarvex-web-<version>.zip: a folder holding the
# page, the licence and LISEZMOI.txt, for a USB stick or the school's site. The texts get Windows
# line ends and LISEZMOI.txt a UTF-8 mark, so that every Notepad shows its accents. The zip is
# made beside its place and moved there whole: a failure leaves the last one as it was.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build-web.sh >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-web/CMakeCache.txt)
name=tarvex-web-$version
stage=$(mktemp -d build-web/package.XXXXXX)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
cp build-web/page/index.html "$stage/$name/"
sed 's/$/\r/' LICENSE > "$stage/$name/LICENSE"
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' packaging/web/LISEZMOI.txt; } > "$stage/$name/LISEZMOI.txt"
(cd "$stage" && zip -q -X -r "$name.zip" "$name")
mv -f "$stage/$name.zip" "build-web/$name.zip"
echo "build-web/$name.zip ($(stat -c %s "build-web/$name.zip") bytes)"

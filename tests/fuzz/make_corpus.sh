#!/usr/bin/env bash
# Writes the fuzzer's seed corpus: small well-formed PPM images in each header layout the
# parser accepts, and one file for each way a header or pixel block can be wrong.
set -euo pipefail
out=${1:-"$(dirname "$0")/corpus"}
mkdir -p "$out"
pixels() { head -c "$1" /dev/zero | tr '\0' '\247'; }
seed() { local name=$1; shift; { printf "$@"; } > "$out/$name"; }

{ printf 'P6\n2 2\n255\n'; pixels 12; } > "$out/good_plain.ppm"
{ printf 'P6 # on the magic line\n# second comment\n3 1\n255\n'; pixels 9; } > "$out/good_comments.ppm"
{ printf '  \t\nP6\n\n 1 1 rest ignored\n\n  7\r\n'; pixels 3; } > "$out/good_blanks_crlf.ppm"
{ printf 'P6 4 2\n255\n'; printf ' \n\t\r\n \n\t\r\n \n\t\r\n \n\t\r'; printf 'trailing'; } > "$out/good_whitespace_pixels.ppm"
seed bad_magic_p3.ppm 'P3\n1 1\n255\n0 0 0\n'
seed bad_zero_width.ppm 'P6\n0 4\n255\n'
seed bad_huge.ppm 'P6\n99999999999999999999 2\n255\n'
seed bad_too_many_pixels.ppm 'P6\n16384 16385\n255\n'
seed bad_maxval_zero.ppm 'P6\n1 1\n0\nabc'
seed bad_maxval_300.ppm 'P6\n1 1\n300\nabc'
seed bad_eof_header.ppm 'P6\n# only a comment'
seed bad_eof_after_maxval.ppm 'P6\n1 1\n255'
seed bad_short_pixels.ppm 'P6\n2 2\n255\nabcdef'
seed bad_no_height.ppm 'P6\n5\n6\n255\n'
seed bad_empty.ppm ''

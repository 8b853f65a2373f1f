#!/usr/bin/env bash
# Renders the command glyphs from their drawing (a strip of 16-pixel cells)
# into one icon per glyph, a greyed one for disabled buttons beside it, and
# the resource lines that name them.
#
#   make_glyphs.sh DRAWING.svg OUTPUT_DIR
#
# OUTPUT_DIR gets glyph-NN.ico, glyph-NN-off.ico and glyphs.rc, which the
# program's resource script includes.
set -euo pipefail

svg=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rsvg-convert "$svg" -o "$work/strip.png"
count=$(($(identify -format %w "$work/strip.png") / 16))
rc="$work/glyphs.rc"
echo "// The command glyphs, rendered by make_glyphs.sh." > "$rc"
for ((i = 0; i < count; i++)); do
  n=$(printf '%02d' "$i")
  convert "$work/strip.png" -crop "16x16+$((i * 16))+0" +repage "$work/$n.png"
  convert "$work/$n.png" "$out/glyph-$n.ico"
  convert "$work/$n.png" -colorspace Gray -channel A -evaluate multiply 0.45 +channel \
          "$out/glyph-$n-off.ico"
  echo "IDI_GLYPH_FIRST+$i ICON \"glyph-$n.ico\"" >> "$rc"
  echo "IDI_GLYPH_OFF_FIRST+$i ICON \"glyph-$n-off.ico\"" >> "$rc"
done
mv "$rc" "$out/glyphs.rc"

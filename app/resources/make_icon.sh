#!/usr/bin/env bash
# Renders the program icon from its drawing at the sizes Windows asks for
# (16, 20, 24, 32, 48 and 256 pixels) into one .ico.
#
#   make_icon.sh DRAWING.svg OUTPUT.ico
set -euo pipefail

svg=$1
ico=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pngs=()
for size in 16 20 24 32 48 256; do
  rsvg-convert -w "$size" -h "$size" "$svg" -o "$work/$size.png"
  pngs+=("$work/$size.png")
done
convert "${pngs[@]}" "$ico"

#!/usr/bin/env bash
# Renders the icons in res/icon from their SVG drawings: the toolbar icons at their own size
# (187 with 16 colours and a one-bit mask) and the application icon at the hicolor sizes.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")/../res/icon"
for id in 142 143 145; do
    rsvg-convert "$id.svg" -o "$id.png"
done
tmp=$(mktemp --suffix=.png)
trap 'rm -f "$tmp"' EXIT
rsvg-convert 187.svg -o "$tmp"
convert "$tmp" -channel A -threshold 50% +channel -dither None -colors 16 PNG8:187.png
mkdir -p hicolor
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" velmor.svg -o "hicolor/velmor-$size.png"
done

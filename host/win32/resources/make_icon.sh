#!/bin/sh
# Draws the program's icon, a blue clock face at ten past ten, into
# zantrelle.ico (16, 32, 48 and 256 pixels). Needs ImageMagick; the .ico is
# committed, so the build does not.
set -eu
cd "$(dirname "$0")"
convert -size 256x256 xc:none \
  -fill '#2f5fd8' -stroke '#173a8c' -strokewidth 10 -draw 'circle 128,128 128,10' \
  -fill '#eaf0ff' -stroke none -draw 'circle 128,128 128,36' \
  -stroke '#173a8c' -strokewidth 12 \
  -draw 'line 128,44 128,66' -draw 'line 212,128 190,128' \
  -draw 'line 128,212 128,190' -draw 'line 44,128 66,128' \
  -stroke '#10204a' -strokewidth 16 -draw 'line 128,128 80,96' \
  -strokewidth 11 -draw 'line 128,128 186,78' \
  -fill '#10204a' -stroke none -draw 'circle 128,128 128,140' \
  -depth 8 -define icon:auto-resize=256,48,32,16 zantrelle.ico

#!/usr/bin/env bash
# Draws the program icon (a green leaf whose pale veins form a "K": kinoha, "tree leaf") and
# writes res/kinoha.ico with 16, 24, 32 and 48 pixel images. Run by hand after changing the
# drawing; the .ico is committed.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 256x256 xc:none \
  -fill '#2e7d32' -stroke '#1b5e20' -strokewidth 8 \
  -draw "translate 128,128 rotate -45 ellipse 0,0 70,118 0,360" \
  -stroke '#a5d6a7' -strokewidth 12 -fill none \
  -draw "line 70,190 190,70" \
  -draw "line 112,148 112,88" -draw "line 112,148 170,148" \
  -stroke '#5d4037' -strokewidth 14 -draw "line 40,220 72,188" \
  "$tmp/leaf.png"
for s in 16 24 32 48; do convert "$tmp/leaf.png" -resize ${s}x${s} "$tmp/leaf-$s.png"; done
convert "$tmp"/leaf-16.png "$tmp"/leaf-24.png "$tmp"/leaf-32.png "$tmp"/leaf-48.png res/kinoha.ico
convert "$tmp/leaf.png" -resize 128x128 /tmp/kinoha-icon-preview.png
echo "res/kinoha.ico written (preview: /tmp/kinoha-icon-preview.png)"

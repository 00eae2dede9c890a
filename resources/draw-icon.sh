#!/usr/bin/env bash
# Draws the program icon: a rounded blue tile with a white gauge and a rising bar chart.
# Writes icon.png (32 x 32, with alpha: the window icon), icons/NN.png for the Linux desktops' icon theme
# (16 to 256 pixels besides 32), pindlequorix.ico for Windows (16 to 256 pixels, the sizes Explorer, the taskbar and
# the Start menu ask for at 100 % to 200 % scaling) and ../packaging/windows/installer.ico, the installer's, with
# fewer sizes: it is stored uncompressed in the installer.
# Needs ImageMagick 6 (Debian: imagemagick). Drawn at 256 px and scaled down for smooth edges.
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The gauge's dial: short round-capped strokes along a circle of radius 76 around (128,118), from 190
# to 350 degrees (ImageMagick closes polylines and arcs, which would draw a chord).
dial=$(awk 'BEGIN {
    for (a = 190; a < 350; a += 5) {
        r1 = a * 3.14159265 / 180; r2 = (a + 5) * 3.14159265 / 180
        printf "line %.1f,%.1f %.1f,%.1f ", 128 + 76 * cos(r1), 118 + 76 * sin(r1), 128 + 76 * cos(r2), 118 + 76 * sin(r2)
    } }')

"$convert" -size 256x256 xc:none \
    \( -size 256x256 gradient:'#2f8cff-#0b3f9e' \) \
    \( -size 256x256 xc:none -fill white -draw 'roundrectangle 8,8 247,247 48,48' \) \
    -delete 0 -alpha off -compose CopyOpacity -composite -alpha on \
    -fill none -stroke white -strokewidth 18 -draw "stroke-linecap round $dial" \
    -stroke '#ffd24a' -strokewidth 14 -draw 'line 128,118 170,72' \
    -stroke none -fill white -draw 'circle 128,118 128,132' \
    -fill white -draw 'roundrectangle 60,188 84,218 4,4' \
    -draw 'roundrectangle 104,174 128,218 4,4' \
    -draw 'roundrectangle 148,160 172,218 4,4' \
    -draw 'roundrectangle 192,146 216,218 4,4' \
    "$work/icon-256.png"

ico_sizes=(16 20 24 32 40 48 64 256)
installer_ico_sizes=(16 20 24 32 48 256)
theme_sizes=(16 24 32 48 64 128 256)
for size in $(printf '%s\n' "${ico_sizes[@]}" "${theme_sizes[@]}" | sort -nu); do
    "$convert" "$work/icon-256.png" -filter Lanczos -resize ${size}x${size} -depth 8 -define png:color-type=6 -define png:exclude-chunks=date,time "$work/icon-$size.png"
done
cp "$work/icon-32.png" icon.png
mkdir -p icons
for size in "${theme_sizes[@]}"; do
    [ "$size" = 32 ] || cp "$work/icon-$size.png" "icons/$size.png" # icon.png is the 32 x 32 one
done
ico_pictures=()
for size in "${ico_sizes[@]}"; do
    ico_pictures+=("$work/icon-$size.png")
done
"$convert" "${ico_pictures[@]}" pindlequorix.ico
ico_pictures=()
for size in "${installer_ico_sizes[@]}"; do
    ico_pictures+=("$work/icon-$size.png")
done
"$convert" "${ico_pictures[@]}" ../packaging/windows/installer.ico

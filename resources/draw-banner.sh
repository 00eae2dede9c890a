#!/usr/bin/env bash
# Draws the promotion banner, banner.jpg: 466 x 34, a dark strip with a small "Quorix" logo, a line
# offering limited-time discount coupons, and a button-like mark inviting the viewer to take one and buy.
# Needs ImageMagick 6 and the Noto CJK fonts (Debian: imagemagick, fonts-noto-cjk).
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert
regular=Noto-Sans-CJK-SC
bold=Noto-Sans-CJK-SC-Bold

"$convert" -size 34x466 gradient:'#1c2740-#0d1322' -rotate 90 \
    `# logo: an orange tile with a white ring and tail, then the name` \
    -fill '#ff8a1f' -draw 'roundrectangle 8,6 29,27 5,5' \
    -fill none -stroke white -strokewidth 2.6 -draw 'circle 18.5,16.5 18.5,10.5' \
    -draw 'line 21,19 25,24' -stroke none \
    -font "$bold" -pointsize 14 -fill white -annotate +34+22 'Quorix' \
    `# a thin divider` \
    -fill '#3a4a6b' -draw 'rectangle 96,8 96,26' \
    `# the offer` \
    -font "$regular" -pointsize 13 -fill '#e8edf7' -annotate +106+22 '限时优惠券 · 云服务器新购立减' \
    -font "$bold" -fill '#ffc94a' -annotate +297+22 '低至3折' \
    `# the button` \
    -fill '#ff6a00' -draw 'roundrectangle 362,6 456,27 10,10' \
    -font "$bold" -pointsize 12 -fill white -annotate +373+21 '领券购买 ›' \
    -strip -quality 92 -sampling-factor 4:2:0 -interlace none "JPEG:banner.jpg"

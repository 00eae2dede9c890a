#!/usr/bin/env bash
# Draws the promotion banner: a dark strip with a small "Quorix" logo, a line offering limited-time
# discount coupons, and a button-like mark inviting the viewer to take one and buy.
#   banner.jpg     466 x 34, shown at 100 % display scaling
#   banner@2x.jpg  932 x 68, the same drawing at twice the size, shown from 150 % on
# Needs ImageMagick 6 and the Noto CJK fonts (Debian: imagemagick, fonts-noto-cjk).
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert
regular=Noto-Sans-CJK-SC
bold=Noto-Sans-CJK-SC-Bold

draw() { # draw SCALE OUTPUT: every coordinate and size below is at scale 1
    local s=$1
    x() { awk -v s="$s" '{ for (i = 1; i <= NF; i++) $i = $i * s; print }' <<<"$*"; }
    "$convert" -size "$(x 34)x$(x 466)" gradient:'#1c2740-#0d1322' -rotate 90 \
        `# logo: an orange tile with a white ring and tail, then the name` \
        -fill '#ff8a1f' -draw "roundrectangle $(x 8),$(x 6) $(x 29),$(x 27) $(x 5),$(x 5)" \
        -fill none -stroke white -strokewidth "$(x 2.6)" -draw "circle $(x 18.5),$(x 16.5) $(x 18.5),$(x 10.5)" \
        -draw "line $(x 21),$(x 19) $(x 25),$(x 24)" -stroke none \
        -font "$bold" -pointsize "$(x 14)" -fill white -annotate "+$(x 34)+$(x 22)" 'Quorix' \
        `# a thin divider` \
        -fill '#3a4a6b' -draw "rectangle $(x 96),$(x 8) $(x 96),$(x 26)" \
        `# the offer` \
        -font "$regular" -pointsize "$(x 13)" -fill '#e8edf7' -annotate "+$(x 106)+$(x 22)" '限时优惠券 · 云服务器新购立减' \
        -font "$bold" -fill '#ffc94a' -annotate "+$(x 297)+$(x 22)" '低至3折' \
        `# the button` \
        -fill '#ff6a00' -draw "roundrectangle $(x 362),$(x 6) $(x 456),$(x 27) $(x 10),$(x 10)" \
        -font "$bold" -pointsize "$(x 12)" -fill white -annotate "+$(x 373)+$(x 21)" '领券购买 ›' \
        -strip -quality 92 -sampling-factor 4:2:0 -interlace none "JPEG:$2"
}

draw 1 banner.jpg
draw 2 banner@2x.jpg

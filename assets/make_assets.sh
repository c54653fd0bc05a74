#!/usr/bin/env bash
# Draws Dewmoth's pictures with ImageMagick. The results are committed; run this only to
# change the art. Output sizes and formats are what the windows are laid out for.
# `./make_assets.sh 2x` draws only the pictures for a scale of 2 (name@2x.*): the same drawings
# at twice the size, so that HiDPI screens get sharp pictures rather than doubled pixels.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# scaled FACTOR ARG...: the arguments with every -draw primitive drawn FACTOR times larger.
scaled() {
    local factor=$1 next=0 arg
    shift
    for arg in "$@"; do
        if [ "$next" = 1 ]; then arg="scale $factor,$factor $arg"; next=0; fi
        [ "$arg" = -draw ] && next=1
        printf '%s\0' "$arg"
    done
}

panel_bulb_draw=(
    -fill '#ffe600' -stroke '#806000' -draw 'circle 11,9 11,1'
    -fill '#c0c0c0' -stroke '#404040' -draw 'rectangle 8,17 14,20'
    -fill '#0080ff' -stroke '#000080' -draw 'polygon 11,22 16,25 11,29 6,25'
    -fill '#ffffff' -stroke none -draw 'circle 8,6 8,4'
)
drops_draw=(
    -fill '#d6eaf8' -stroke '#c4dcef'
    -draw 'circle 60,50 72,50' -draw 'circle 200,120 208,120' -draw 'circle 350,70 366,70'
    -draw 'circle 120,240 130,240' -draw 'circle 300,220 311,220' -draw 'circle 410,280 416,280'
    -draw 'circle 30,170 35,170' -draw 'circle 250,30 254,30'
    -fill none -stroke '#e6dcc0' -strokewidth 2
    -draw 'bezier 0,270 110,240 330,300 440,270'
)
moth_draw=(
    -gravity northwest -fill '#fff3c4' -stroke '#3a2a10' -strokewidth 1
    -draw 'ellipse 55,44 6,22 0,360'
    -draw 'polygon 52,30 14,10 8,40 50,46' -draw 'polygon 58,30 96,10 102,40 60,46'
    -draw 'polygon 51,48 18,70 34,78 52,56' -draw 'polygon 59,48 92,70 76,78 58,56'
)
hand_draw=(
    -fill '#fffbe8' -stroke '#000000' -strokewidth 1
    -draw 'roundrectangle 7,1 11,16 2,2'
    -draw 'roundrectangle 11,9 15,18 2,2'
    -draw 'roundrectangle 15,10 19,19 2,2'
    -draw 'roundrectangle 19,11 23,20 2,2'
    -draw 'polygon 7,14 7,24 11,30 23,30 24,24 24,16 7,16'
    -draw 'polygon 7,16 3,13 1,15 7,24'
)

if [ "${1:-}" = 2x ]; then
    mapfile -d '' args < <(scaled 2 "${panel_bulb_draw[@]}")
    convert -size 46x60 xc:"#00ff00" +antialias "${args[@]}" -transparent '#00ff00' -colors 8 \
        bulb@2x.gif
    mapfile -d '' args < <(scaled 2 "${drops_draw[@]}")
    convert \( -size 880x306 gradient:'#e8f4ff-#fff6dc' \) \( +clone -flip \) -append "${args[@]}" \
        -interlace none -quality 85 -sampling-factor 2x2 -strip background@2x.jpg
    mapfile -d '' args < <(scaled 2 "${moth_draw[@]}")
    convert -size 760x178 gradient:'#1c3f6e-#f2b35a' \
        -fill '#ffffff' -stroke none -font Liberation-Sans-Bold -pointsize 88 \
        -gravity west -annotate +220+0 'Dewmoth' "${args[@]}" -colors 256 banner@2x.gif
    # The cursor at 64x64, hot spot at the fingertip (18,2); PNG, as the icon format stops at 32.
    mapfile -d '' args < <(scaled 2 "${hand_draw[@]}")
    convert -size 64x64 xc:none "${args[@]}" hand@2x.png
    exit 0
fi

# Light bulb above a diamond, drawn at 32x32 and scaled for 16x16.
bulb_draw=(
    -fill '#ffe600' -stroke '#806000' -strokewidth 1 -draw 'circle 16,10 16,2'
    -fill '#c0c0c0' -stroke '#404040' -draw 'rectangle 12,17 20,21'
    -fill '#808080' -stroke none -draw 'line 12,19 20,19'
    -fill '#0080ff' -stroke '#000080' -draw 'polygon 16,23 22,27 16,31 10,27'
    -fill '#ffffff' -stroke none -draw 'circle 13,7 13,5'
)
convert -size 32x32 xc:none "${bulb_draw[@]}" "$tmp/icon32.png"
convert "$tmp/icon32.png" -resize 16x16 "$tmp/icon16.png"
# 16 colours at 4 bits per pixel, transparency in the AND mask: 1078 bytes for both sizes.
convert "$tmp/icon32.png" "$tmp/icon16.png" -channel A -threshold 50% +channel -colors 16 -depth 4 dewmoth.ico

# The bulb shown beside "Did you know...": 23x30, a few colours, one of them transparent.
convert -size 23x30 xc:"#00ff00" +antialias "${panel_bulb_draw[@]}" -transparent '#00ff00' -colors 8 bulb.gif

# Background tile: pale dawn gradient with dew drops, light enough for black text on top.
# Top and bottom rows match, as do the left and right columns, so that the tiles join unseen.
convert \( -size 440x153 gradient:'#e8f4ff-#fff6dc' \) \( +clone -flip \) -append "${drops_draw[@]}" \
    -interlace none -quality 85 -sampling-factor 2x2 -strip background.jpg

# Pointing hand cursor, black outline on white, hot spot at the fingertip (9,1 at 32x32).
convert -size 32x32 xc:none "${hand_draw[@]}" "$tmp/hand32.png"
convert "$tmp/hand32.png" -resize 16x16 "$tmp/hand16.png"
convert "$tmp/hand32.png" "$tmp/hand16.png" -channel A -threshold 50% +channel -colors 16 -depth 4 hand.ico

# About window banner: the program name over a dawn band with a moth outline.
convert -size 380x89 gradient:'#1c3f6e-#f2b35a' -rotate 0 \
    -fill '#ffffff' -stroke none -font Liberation-Sans-Bold -pointsize 44 \
    -gravity west -annotate +110+0 'Dewmoth' "${moth_draw[@]}" -colors 256 banner.gif

# Icons for installation, rendered from the same drawing as the window icon.
svg=../packaging/icons/example.orlanvesty.Dewmoth.svg
for s in 16 22 24 32 48 64 128 256; do
    mkdir -p "../packaging/icons/${s}x${s}"
    rsvg-convert -w "$s" -h "$s" "$svg" -o "../packaging/icons/${s}x${s}/example.orlanvesty.Dewmoth.png"
done

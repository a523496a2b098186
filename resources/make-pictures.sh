#!/usr/bin/env bash
# Draws the alarm window's pictures with ImageMagick. The results are committed; run this
# again only to change them.
set -euo pipefail
cd "$(dirname "$0")/pictures"
SANS=Liberation-Sans-Bold
SERIF_I=Liberation-Sans-Bold-Italic

# A bell: body, rim and clapper, in the given colours, on a transparent square of size $1.
bell() {
  local size=$1 body=$2 rim=$3 out=$4
  convert -size 64x64 xc:none \
    -fill "$body" -stroke "$rim" -strokewidth 2 \
    -draw "path 'M 32,8 C 18,8 16,22 16,34 L 12,46 L 52,46 L 48,34 C 48,22 46,8 32,8 Z'" \
    -draw "rectangle 10,46 54,50" \
    -fill "$rim" -draw "circle 32,55 32,50" -draw "circle 32,8 32,5" \
    -resize "${size}x${size}" "$out"
}

# Banner across the top: the program's name beside a small bell.
bell 52 '#ffd25a' '#8a5a00' /tmp/chimewell-bell52.png
convert -size 541x72 gradient:'#1f5f8f'-'#0b2744' \
  /tmp/chimewell-bell52.png -geometry +70+10 -composite \
  -font "$SERIF_I" -pointsize 26 -fill '#ffe9a8' -annotate +130+40 'Meridane Chimewell' \
  -font "$SANS" -pointsize 11 -fill '#cfe3f5' -annotate +132+60 'a reminder that rings when it should' \
  banner.png

# The three picture buttons: small bitmaps on the red button face.
button() {
  convert -size 46x21 xc:'#d01818' -fill '#ffffff' -font "$SANS" -pointsize 12 -gravity center \
    -annotate +0+0 "$1" -bordercolor '#7a0000' -border 1 "$2"
}
button 'Mode' button-orr.png
button 'OK' button-ok.png
button 'Stop' button-stopp.png

# Information strips and the picture beside the total.
strip() {
  convert -size 110x18 gradient:'#ffe9a8'-'#e0a93a' -fill '#3a2400' -font "$SANS" -pointsize 10 \
    -gravity center -annotate +0+0 "$1" -bordercolor '#8a5a00' -border 1 "$2"
}
strip 'Meridane programs' info-strip-0.png
strip 'More from Meridane' info-strip-1.png
bell 40 '#9fd3ff' '#1f4f7f' image2.png

# Hide and exit pictures.
convert -size 40x40 xc:none -fill '#cfe3f5' -stroke '#0b2744' -strokewidth 2 \
  -draw "roundrectangle 3,8 36,32 4,4" -fill '#0b2744' -draw "rectangle 9,24 30,27" hide.png
convert hide.png -resize 22x22 hide-small.png
convert -size 26x26 xc:none -fill '#ffffff' -stroke '#a00000' -strokewidth 2 -draw "circle 13,13 13,2" \
  -stroke '#a00000' -strokewidth 3 -draw "line 8,8 18,18" -draw "line 18,8 8,18" exit.png

# The application icon, and the two blink pictures: the same peaked shape, one mainly red with
# a dark-green core above a blue bar, the other mainly cyan.
bell 32 '#ffd25a' '#8a5a00' app-icon-32.png
bell 256 '#ffd25a' '#8a5a00' app-icon-256.png
convert app-icon-32.png app-icon-256.png app-icon.ico   # for a Windows build's resource
peak() {
  convert -size 32x32 xc:none -fill "$1" -stroke "$2" -strokewidth 1 \
    -draw "polygon 16,2 28,24 4,24" -fill "$3" -draw "polygon 16,11 22,22 10,22" \
    -fill "$4" -stroke none -draw "rectangle 4,26 28,30" "$5"
}
peak '#e02020' '#700000' '#0a5a1a' '#1030d0' blink-0.png
peak '#30e0f0' '#007080' '#a0f8ff' '#30e0f0' blink-1.png
rm -f /tmp/chimewell-bell52.png

# Eight bits a channel, as the colours above are: a 16-bit ImageMagick writes sixteen, which Qt
# decodes into twice the memory and slower. make-info-pictures.sh ends the same way.
for picture in *.png; do convert "$picture" -depth 8 "$picture"; done

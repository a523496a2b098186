#!/usr/bin/env bash
# Draws the information window's pictures with ImageMagick: the catalogue's 16 x 16 icons
# (22 keyed images) and 32 x 32 pictures, the fifteen animation frames, the three portraits
# and the window's icons. Results are committed; run again only to change them.
set -euo pipefail
cd "$(dirname "$0")"
mkdir -p pictures
cd pictures
SANS=Liberation-Sans-Bold

# One hue per catalogue entry (and three more for the keys no entry uses), with a letter.
hues=(0 18 36 54 72 90 108 126 144 162 180 198 216 234 252 270 288 306 324 342 10 200)
letters=(L Q F S T H K C Y M P W B E D J N A R X G Z)
for i in $(seq 0 21); do
  n=$((i + 1))
  colour="hsl(${hues[$i]},70%,45%)"
  convert -size 16x16 xc:none -fill "$colour" -draw "roundrectangle 0,0 15,15 3,3" \
    -fill white -font "$SANS" -pointsize 11 -gravity center -annotate +0+0 "${letters[$i]}" "icon-$n.png"
  if [ "$n" -le 19 ]; then
    convert -size 32x32 xc:none -fill "$colour" -stroke "hsl(${hues[$i]},70%,25%)" -strokewidth 2 \
      -draw "roundrectangle 1,1 30,30 6,6" -fill white -stroke none -font "$SANS" -pointsize 20 \
      -gravity center -annotate +0+0 "${letters[$i]}" "picture-$n.png"
  fi
done

# Fifteen frames: a small bell swinging out and back, its clapper and glow following.
for f in $(seq 1 15); do
  angle=$(python3 -c "import math; print(round(28*math.sin(2*math.pi*($f-1)/15), 1))")
  glow=$(python3 -c "import math; print(round(30+60*abs(math.sin(2*math.pi*($f-1)/15))))")
  convert -size 32x32 xc:none \
    -fill "rgba(255,210,90,0.${glow})" -draw "circle 16,18 16,3" \
    \( -size 32x32 xc:none -fill '#ffd25a' -stroke '#8a5a00' -strokewidth 1 \
       -draw "path 'M 16,5 C 10,5 9,11 9,16 L 7,22 L 25,22 L 23,16 C 23,11 22,5 16,5 Z'" \
       -fill '#8a5a00' -draw "circle 16,25 16,23" -distort SRT "16,4 1 $angle" \) \
    -composite "frame-$f.png"
done

# Portraits: faceless silhouettes on coloured grounds, one each for the guide and the two authors.
portrait() {
  convert -size 45x60 "gradient:$1-$2" -fill "$3" -draw "circle 22,22 22,11" \
    -draw "ellipse 22,60 18,20 180,360" "$4"
}
portrait '#d8c8f0' '#8068b0' '#40305a' portrait-1.png
portrait '#c8e8d8' '#509070' '#204030' portrait-2.png
portrait '#f0d8c0' '#b07850' '#503020' portrait-3.png

# The window's icons: an information mark, and a second one that the mouse uncovers.
convert -size 32x32 xc:none -fill '#2060c0' -draw "circle 16,16 16,1" -fill white -font "$SANS" \
  -pointsize 22 -gravity center -annotate +0+1 'i' info-icon.png
convert -size 32x32 xc:none -fill '#e0a030' -draw "circle 16,16 16,1" -fill white -font "$SANS" \
  -pointsize 22 -gravity center -annotate +0+1 '?' info-icon-under.png

# The featured programs' pictures on the showcase tabs.
convert -size 64x64 gradient:'#f4e7c8'-'#caa46a' -fill '#5a3a10' -font "$SANS" -pointsize 40 \
  -gravity center -annotate +0+0 'Q' -bordercolor '#5a3a10' -border 2 featured-0.png
convert ../../pictures/app-icon-256.png -resize 64x64 -background '#dbe8f5' -flatten \
  -bordercolor '#1f4f7f' -border 2 featured-1.png

# Eight bits a channel, for the reason make-pictures.sh gives.
for picture in *.png; do convert "$picture" -depth 8 "$picture"; done

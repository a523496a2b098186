#!/usr/bin/env bash
# Synthesises the seven built-in tones with sox, in the formats and lengths the tone list
# promises. The results are committed; run this again only to change them.
set -euo pipefail
cd "$(dirname "$0")/waves"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Writes $tmp/$1.wav: 32-bit float working copy at 22050 Hz, mono, given length and synth args.
voice() {
  local name=$1 length=$2; shift 2
  sox -n -r 22050 -c 1 -b 32 -e floating-point "$tmp/$name.wav" synth "$length" "$@"
}

# Encodes a working copy: peak normalised to -3 dBFS, a 4 ms fade in, fade out over the tail.
encode() {
  local src=$1 out=$2 channels=$3 encoding=$4 bits=$5 tail=$6
  sox "$src" -r 22050 -c "$channels" -e "$encoding" -b "$bits" "$out" \
    norm -3 fade t 0.004 0 "$tail"
}

# 100: a two-note chime, high and bright.
voice a 0.12 pluck E6
voice b 0.115 pluck B6
sox "$tmp/a.wav" "$tmp/b.wav" "$tmp/t100.wav"
encode "$tmp/t100.wav" tone-100.wav 2 ms-adpcm 4 0.06

# 101: three soft marimba notes falling.
voice a 0.25 pluck E5
voice b 0.25 pluck C#5
voice c 0.245 pluck A4
sox "$tmp/a.wav" "$tmp/b.wav" "$tmp/c.wav" "$tmp/t101.wav"
encode "$tmp/t101.wav" tone-101.wav 1 ms-adpcm 4 0.12

# 102: a small bell, fundamental with an inharmonic partial, quick decay.
voice t102 0.297 sine 1046 sine 2794 remix 1,2 fade q 0 0.297 0.28
encode "$tmp/t102.wav" tone-102.wav 2 ms-adpcm 4 0.2

# 103: a clean short beep.
voice t103 0.181 sine 1480
encode "$tmp/t103.wav" tone-103.wav 2 ms-adpcm 4 0.03

# 104: a rising two-step blip.
voice a 0.074 sine 784
voice b 0.074 sine 1175
sox "$tmp/a.wav" "$tmp/b.wav" "$tmp/t104.wav"
encode "$tmp/t104.wav" tone-104.wav 2 ms-adpcm 4 0.03

# 105: a gentle falling glide, 8-bit.
voice t105 0.261 sine 900-420
encode "$tmp/t105.wav" tone-105.wav 1 unsigned-integer 8 0.08

# 106: a bubble pop, a fast upward sweep with a soft tail.
voice t106 0.351 sine 260-1300 tremolo 18 40
encode "$tmp/t106.wav" tone-106.wav 2 ms-adpcm 4 0.2

for f in tone-1*.wav; do
  printf '%s  %s\n' "$f" "$(soxi -e "$f" | head -1), $(soxi -c "$f") ch, $(soxi -r "$f") Hz, $(soxi -D "$f") s"
done

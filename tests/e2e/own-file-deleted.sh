#!/usr/bin/env bash
# The own wave file deleted after it was chosen: the ring falls back to the built-in tone.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
own="$WORK/quiet own.wav"
sox -n -r 22050 -c 1 -b 16 "$own" synth 0.5 sine 440 vol 0.05   # quiet: the preview stays faint
start_app "$1"
click_tone "$OWN_FILE_TONE"
wait_file_dialog
paste_text "$own"
xdotool key Return
sleep 1.5
awk -v a="$(loudest)" 'BEGIN { exit !(a < 0.1) }' || fail "the quiet preview was loud"
rm "$own"
type_into Text2_2 2
arm
loud() { awk -v a="$(loudest)" 'BEGIN { exit !(a > 0.3) }'; }
wait_for 8 loud || fail "the ring stayed silent without its file"
screenshot fault-own-file-deleted
click Stopp
kill "$APP_PID"
echo "ok: the built-in tone rang in place of the deleted file"

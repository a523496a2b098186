#!/usr/bin/env bash
# Choosing tones, heard on the sound server: a built-in one is heard at once; an own wave file,
# named with blanks and accents, is picked by typing its path into the file dialog, previewed,
# rings, and Stop silences it at once. Run with DESKTOP_SOUND=pulse or pipewire.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
need_sound_server
# Qt's file dialog reads quotes in a typed name as a list of names; the logic tests cover them.
own="$WORK/my own tône è.wav"
sox -n -r 22050 -c 1 -b 16 "$own" synth 1.2 sine 523 vol 0.5

start_app "$1"
clicked=$(now)
click_tone 1
heard_first_after "$clicked" 3 | grep -q . || fail "the preview of [2] was not heard"
screenshot journey-tone-builtin

click_tone "$OWN_FILE_TONE"
wait_file_dialog
[ "$(xprop -id "$DIALOG" _NET_WM_NAME | sed 's/.*= //')" != "\"$PROGRAM_TITLE\"" ] || fail "the file dialog carries the program's title"
screenshot journey-tone-dialog
paste_text "$own"
chosen=$(now)
xdotool key Return
wait_for 5 file_dialog_closed || fail "the dialog stayed open"
heard_first_after "$chosen" 5 | grep -q . || fail "the own file's preview was not heard"
# Clicks made while a file plays are dropped, as behind a box: let the preview end first.
silent_for() { between 0 "$(heard_last)" "$(plus "$(now)" "-$1")"; } # the last SECONDS
wait_for 5 silent_for 0.4 || fail "the preview did not end"
screenshot journey-tone-own-chosen

type_into Text2_2 2
ring_starts=$(stat -c %s "$AUDIO_OUT")
click OK
wait_box
[[ "$BOX_TEXT" == *"Alarm Tone : [8] Select your own wav file"* ]] || fail "summary: $BOX_TEXT"
yes_at=$(now)
answer_box Return
heard_first_after "$(plus "$yes_at" 1)" 6 | grep -q . || fail "the own file did not ring"
sleep 1.5
stopped_at=$(now)
click Stopp
# Stop silences the own file at once, and it does not start again.
sleep 3
between 0 "$(heard_last)" "$(plus "$stopped_at" 0.5)" \
  || fail "sound went on $(seconds_between "$stopped_at" "$(heard_last)") s after Stop"
kill "$APP_PID"
# What rang is the own file: its 523 Hz, not a built-in tone.
tail -c +$((ring_starts + 1)) "$AUDIO_OUT" >"$WORK/ring.raw"
pitch=$(sox -t raw -r 44100 -e signed -b 16 -c 2 "$WORK/ring.raw" -n remix 1 silence 1 0.01 1% trim 0 1.0 stat 2>&1 | awk '/Rough/ {print $3}')
{ [ "${pitch:-0}" -gt 490 ] && [ "${pitch:-0}" -lt 560 ]; } || fail "the ring's pitch was ${pitch:-none}, not the own file's 523 Hz"
echo "ok: built-in preview heard; own file chosen by its typed path, and it is what rang ($pitch Hz)"

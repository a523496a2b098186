#!/usr/bin/env bash
# An alarm that falls due while one of the program's boxes is open rings at its time, heard on
# the sound server: behind the reminder's input box (what was typed there is kept), behind the
# icon's pop-up menu, and behind the summary of a second arming.
# Run with DESKTOP_SOUND=pulse or pipewire.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
need_sound_server
start_app "$1"
type_into Text2_2 3

# Arms the 3-second alarm, opens a box with the command given, and judges the first sound.
ring_behind() { # what command...
  local what=$1 yes_at first
  shift
  arm
  yes_at=$ARMED_AT
  wait_for 5 icon_docked || fail "the icon did not dock"
  "$@"
  between "$yes_at" "$(now)" "$(plus "$yes_at" 3)" || fail "behind $what: it opened only after the alarm was due"
  first=$(heard_first_after "$yes_at" 8)
  [ -n "$first" ] || fail "behind $what: the alarm was not heard"
  between "$(plus "$yes_at" 3)" "$first" "$(plus "$yes_at" 4)" \
    || fail "behind $what: first heard $(seconds_between "$yes_at" "$first") s after Yes, not 3"
  screenshot "ring-behind-$(tr ' ' - <<<"$what")"
  echo "ok: behind $what, heard $(seconds_between "$yes_at" "$first") s after Yes"
}
stop_and_hush() {
  click Stopp
  sleep 1
}

open_input_box() {
  click Label7
  wait_for 3 xdotool search --onlyvisible --name "^$PROGRAM_TITLE$" || fail "no input box"
  xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$PROGRAM_TITLE$" | head -n1)"
  xdotool type -- "kept while it rang"
}
ring_behind "the reminder's input box" open_input_box
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$PROGRAM_TITLE$" | head -n1)" key Return
stop_and_hush
click OK
wait_box
[[ "$BOX_TEXT" == *"Message :  kept while it rang "* ]] || fail "what was typed behind the ring was lost: $BOX_TEXT"
answer_box Escape

ring_behind "the icon's pop-up menu" open_icon_menu
xdotool key Escape
stop_and_hush

open_summary() {
  click OK
  wait_box
}
ring_behind "a second summary" open_summary
answer_box Escape
after_cancel=$(now)
sleep 1.2
heard_first_after "$after_cancel" | grep -q . || fail "Cancel in the second summary silenced the ringing alarm"
stop_and_hush
kill "$APP_PID"

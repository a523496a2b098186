#!/usr/bin/env bash
# A reminder with markup characters is shown as typed, in the label and in the summary; the
# longest text the input box takes goes whole into the summary.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
start_app "$1"
typed='<b>Call</b> Mum & Dad <i>now</i>'
click Label7
wait_for 5 xdotool search --onlyvisible --name "^$PROGRAM_TITLE$" || fail "no input box"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$PROGRAM_TITLE$" | head -n1)"
xdotool type -- "$typed"
xdotool key Return
input_box_closed() { ! xdotool search --onlyvisible --name "^$PROGRAM_TITLE$" | grep -q .; }
wait_for 5 input_box_closed || fail "the input box did not close"
screenshot journey-reminder-label
click OK
wait_box
[[ "$BOX_TEXT" == *"Message :  $typed "* ]] || fail "summary: $BOX_TEXT"
screenshot journey-reminder-summary
answer_box Escape

long=$(head -c 32767 /dev/zero | tr '\0' 'x')
printf '%s' "$long" | xclip -selection clipboard
click Label7
wait_for 5 xdotool search --onlyvisible --name "^$PROGRAM_TITLE$" || fail "no input box"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$PROGRAM_TITLE$" | head -n1)" key ctrl+v Return
wait_for 10 input_box_closed || fail "the input box did not close"
click OK
wait_box
[[ "$BOX_TEXT" == *"Message :  $long "* ]] || fail "the long reminder was not whole in the summary"
screenshot journey-reminder-long-summary
answer_box Escape
kill "$APP_PID"
echo "ok: markup shown as typed; a 32767-character reminder whole in the summary"

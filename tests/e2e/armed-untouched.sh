#!/usr/bin/env bash
# An armed alarm stays as it was through a refused and a cancelled second arming: a date alarm
# rings at its own second, not before, after a past time was refused and after Cancel; a duration
# alarm rings at its time after Cancel, its target line unchanged.
# Run with DESKTOP_SOUND=pulse or pipewire.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
need_sound_server
while [ "$(date +%H%M%S)" -gt 235900 ] || [ "$(date +%H%M%S)" -lt 000100 ]; do sleep 1; done # the lists hold today
start_app "$1"
set_time() { # moment
  type_into Text1_0 "$(date -d @"$1" +%-H)"
  type_into Text1_1 "$(date -d @"$1" +%-M)"
  type_into Text1_2 "$(date -d @"$1" +%-S)"
}

click Orr
sleep 0.3
target=$(( $(date +%s) + 16 ))
set_time "$target"
arm
armed_at=$ARMED_AT
screenshot armed-untouched-1-armed
# Times typed keep the lists' day, today: an hour ago, or midnight when that was yesterday; ten
# minutes ahead, or the day's last second when that is tomorrow.
midnight=$(date -d 'today 00:00:00' +%s)
# A time an hour ago is refused; the armed alarm must not ring for it.
past=$(( $(date +%s) - 3600 ))
[ "$past" -ge "$midnight" ] || past=$midnight
set_time "$past"
click OK
wait_box
[[ "$BOX_TEXT" == *"Alarm can not be Activated in PAST Date/Time values"* ]] || fail "no refusal: $BOX_TEXT"
answer_box Return
# Another time, and Cancel in its summary.
ahead=$(( $(date +%s) + 600 ))
[ "$ahead" -lt $((midnight + 86400)) ] || ahead=$((midnight + 86399))
set_time "$ahead"
click OK
wait_box
[[ "$BOX_TEXT" == *"You Selection is ..."* ]] || fail "no summary: $BOX_TEXT"
answer_box Escape
screenshot armed-untouched-2-after-cancel
sleep 1
heard_first_after "$armed_at" | grep -q . && fail "the armed alarm rang early, at $(heard_first_after "$armed_at")"
between 0 "$(now)" "$(plus "$target" -2)" || fail "the refusal and Cancel took until $(now), too close to $target to judge"
first=$(heard_first_after "$armed_at" 20)
[ -n "$first" ] || fail "the armed date alarm did not ring"
between "$target" "$first" "$(plus "$target" 0.75)" || fail "the date alarm was first heard at $first, its second was $target"
echo "ok: after a refusal and a Cancel, the date alarm heard $(seconds_between "$target" "$first") s into its second"
click Stopp
sleep 1

click Orr # back to a duration
sleep 0.3
type_into Text2_2 8
arm
yes_at=$ARMED_AT
type_into Text2_2 40
click OK
wait_box
[[ "$BOX_TEXT" == *"Duration : 40 sec"* ]] || fail "no summary: $BOX_TEXT"
answer_box Escape
first=$(heard_first_after "$yes_at" 12)
[ -n "$first" ] || fail "the armed duration alarm did not ring after Cancel"
between "$(plus "$yes_at" 8)" "$first" "$(plus "$yes_at" 9)" \
  || fail "after Cancel the duration alarm was first heard $(seconds_between "$yes_at" "$first") s after Yes, not 8"
screenshot armed-untouched-3-duration-ringing
click Stopp
kill "$APP_PID"
echo "ok: after Cancel, the duration alarm heard $(seconds_between "$yes_at" "$first") s after Yes"

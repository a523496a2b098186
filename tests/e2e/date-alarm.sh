#!/usr/bin/env bash
# A date-and-time alarm a few seconds ahead is heard on the sound server within its second.
# Run with DESKTOP_SOUND=pulse or pipewire.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
need_sound_server
while [ "$(date +%H%M%S)" -gt 235940 ]; do sleep 1; done # the lists hold today
start_app "$1"
click Orr
sleep 0.3
target=$(( $(date +%s) + 12 ))
type_into Text1_0 "$(date -d @"$target" +%-H)"
type_into Text1_1 "$(date -d @"$target" +%-M)"
type_into Text1_2 "$(date -d @"$target" +%-S)"
click OK
wait_box
[[ "$BOX_TEXT" == *"You Selection is ..."* && "$BOX_TEXT" == *"Date & Time :$(date -d @"$target" '+%d')"* ]] \
  || fail "summary: $BOX_TEXT"
yes_at=$(now)
answer_box Return
between 0 "$yes_at" "$(plus "$target" -2)" || fail "arming took until $yes_at, too close to $target to judge"
first=$(heard_first_after "$yes_at" 16)
[ -n "$first" ] || fail "the alarm was not heard on the sound server"
screenshot journey-date-ringing
between "$target" "$first" "$(plus "$target" 0.75)" || fail "first heard at $first, its second was $target"
click Stopp
kill "$APP_PID"
echo "ok: heard $(seconds_between "$target" "$first") s into its second"

#!/usr/bin/env bash
# A date-and-time alarm a few seconds ahead rings on its second.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
while [ "$(date +%H%M%S)" -gt 235945 ]; do sleep 1; done # the lists hold today
start_app "$1"
click Orr
sleep 0.3
target=$(date -d '+6 seconds' +%s)
type_into Text1_0 "$(date -d @"$target" +%-H)"
type_into Text1_1 "$(date -d @"$target" +%-M)"
type_into Text1_2 "$(date -d @"$target" +%-S)"
click OK
wait_box
[[ "$BOX_TEXT" == *"You Selection is ..."* && "$BOX_TEXT" == *"Date & Time :$(date -d @"$target" '+%d')"* ]] \
  || fail "summary: $BOX_TEXT"
answer_box Return
# The sound device opens at the first ring: its output file appears at that moment.
wait_for '[ -e "$AUDIO_OUT" ]' 12 || fail "the alarm did not ring"
rang=$(date +%s.%N)
screenshot journey-date-ringing
awk -v r="$rang" -v t="$target" 'BEGIN { exit !(r >= t && r < t + 1.2) }' \
  || fail "rang at $rang, its second was $target"
click Stopp
kill "$APP_PID"
echo "ok: rang within its second"

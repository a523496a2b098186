#!/usr/bin/env bash
# A duration alarm counts real seconds whatever the wall clock does, heard on the sound server
# under a faked wall clock (libfaketime, TZ=Europe/Berlin): armed just before each daylight-saving
# change of 2026, and with the clock set back an hour while it counts, a 12-second alarm rings
# 12 s after Yes. A date and time counts by the wall clock: set back an hour it waits, set past
# its target it rings; in the repeated autumn hour the pass to come is meant. A target in the
# hour the spring change skips is refused with its message.
# Run with DESKTOP_SOUND=pulse or pipewire; CLOCK_CHANGES=durations or dates runs that half
# alone (the two halves side by side take half the time), both when it is not set.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
need_sound_server
[ "$TZ" = Europe/Berlin ] || fail "run with TZ=Europe/Berlin"
program=$1
fake_now() { awk -v o="$(cat "$WORK/faketime")" -v n="$(now)" 'BEGIN { printf "%.3f", n + o }'; }

# Arms a 12-second alarm; the command given runs while it counts. Judged from the real Yes.
twelve_seconds() { # what [command...]
  local what=$1 yes_at first
  shift
  type_into Text2_2 12
  arm
  yes_at=$ARMED_AT
  fake_yes=$(fake_now)
  "$@"
  first=$(heard_first_after "$yes_at" 16)
  [ -n "$first" ] || fail "$what: the alarm was not heard"
  screenshot "clock-changes-$(tr ' ' - <<<"$what")"
  between "$(plus "$yes_at" 12)" "$first" "$(plus "$yes_at" 13)" \
    || fail "$what: first heard $(seconds_between "$yes_at" "$first") s after Yes, not 12"
  echo "ok: $what: heard $(seconds_between "$yes_at" "$first") s after Yes"
}
armed_before_the_change() { # change (seconds since 1970)
  between "$(plus "$1" -12)" "$fake_yes" "$1" || fail "Yes came at $(date -d @"${fake_yes%.*}"), not in the 12 s before the change"
}

stop_app() { [ -z "${APP_PID:-}" ] || { kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true; }; }
set_back() {
  sleep 3
  set_fake_clock "@$(( $(date +%s) - 3600 ))"
}

durations() {
  local change at
  for change in "2026-03-29 01:00:00 UTC" "2026-10-25 01:00:00 UTC"; do
    at=$(date -d "$change" +%s)
    fake_clock_env "@$((at - 9))"
    start_app env "${FAKE_CLOCK_ENV[@]}" "$program"
    twelve_seconds "armed before the change of $(date -d @"$at" '+%d %B')"
    armed_before_the_change "$at"
    stop_app
  done
  fake_clock_env "@$(date +%s)"
  start_app env "${FAKE_CLOCK_ENV[@]}" "$program"
  twelve_seconds "the clock set back an hour while it counts" set_back
  click Stopp
  stop_app
}

# A date and time counts by the wall clock: set back an hour, the alarm waits for the wall
# clock to come round again; set forward past it, it rings at once.
# date_mode_at START: the program started afresh with its wall clock at START, in date mode.
date_mode_at() {
  stop_app
  fake_clock_env "$1"
  start_app env "${FAKE_CLOCK_ENV[@]}" "$program"
  click Orr
  sleep 0.3
}
# arm_at H M S TARGET: armed for H:M:S; DUE is the real moment the faked clock reaches TARGET.
arm_at() {
  type_into Text1_0 "$1"
  type_into Text1_1 "$2"
  type_into Text1_2 "$3"
  arm
  DUE=$(plus "$ARMED_AT" "$(awk -v f="$(fake_now)" -v t="$(date -d "$4" +%s)" 'BEGIN { print t - f }')")
}
dates() {
  date_mode_at "2026-12-09 09:00:00 UTC"
  arm_at 10 0 20 "2026-12-09 09:00:20 UTC"
  yes_at=$ARMED_AT
  sleep 3
  set_fake_clock "@$(( $(date -d '2026-12-09 09:00:00 UTC' +%s) - 3600 + 3 ))"
  sleep_until "$(plus "$DUE" 2)"
  heard_first_after "$yes_at" | grep -q . && fail "set back an hour, the date alarm rang at its first wall-clock reading"
  quiet_until=$(now)
  set_fake_clock "2026-12-09 09:00:30 UTC"
  set_at=$(now) # the program sees the new time from here on, not while the offset is worked out
  first=$(heard_first_after "$quiet_until" 3)
  [ -n "$first" ] || fail "set forward past its target, the date alarm did not ring"
  between "$quiet_until" "$first" "$(plus "$set_at" 1)" || fail "set forward past its target, it rang $(seconds_between "$set_at" "$first") s later"
  click Stopp
  echo "ok: a date alarm waited through the clock set back, and rang when it was set past its target"

  # 02:10 in the second pass of the hour the autumn change repeats: 02:10:20 means the pass to come.
  date_mode_at "2026-10-25 01:10:00 UTC"
  arm_at 2 10 20 "2026-10-25 01:10:20 UTC"
  [[ "$BOX_TEXT" == *"Date & Time :25 October 2026, 02:10:20"* ]] || fail "no summary for 02:10:20 in the repeated hour: $BOX_TEXT"
  first=$(heard_first_after "$ARMED_AT" 25)
  [ -n "$first" ] || fail "02:10:20 in the repeated hour was not heard"
  between "$DUE" "$first" "$(plus "$DUE" 1)" || fail "02:10:20 in the repeated hour: heard at $first, due at $DUE"
  click Stopp
  echo "ok: in the second pass of the repeated hour, 02:10:20 armed and rang on time"

  # 02:30 on 29 March does not exist in Berlin: refused, and the window goes on.
  date_mode_at "2026-03-29 00:30:00 UTC"
  type_into Text1_0 2
  type_into Text1_1 30
  type_into Text1_2 0
  click OK
  wait_box
  [[ "$BOX_TEXT" == *"The alarm time 29 March 2026, 02:30:00 does not exist"* ]] || fail "no refusal of the skipped hour: $BOX_TEXT"
  screenshot clock-changes-skipped-hour
  answer_box Return
  type_into Text1_0 3
  click OK
  wait_box
  [[ "$BOX_TEXT" == *"Date & Time :29 March 2026, 03:30:00"* ]] || fail "after the refusal, no summary: $BOX_TEXT"
  answer_box Escape
  kill "$APP_PID"
  echo "ok: a time in the skipped hour refused with its message"
}

case ${CLOCK_CHANGES:-both} in
  durations) durations ;;
  dates) dates ;;
  *) durations; dates ;;
esac

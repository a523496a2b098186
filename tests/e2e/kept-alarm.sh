#!/usr/bin/env bash
# An armed alarm outlives an end the user did not choose. Ended by SIGTERM, then killed, the
# program started again rings at the alarm's own second; its autostart entry exists exactly
# while the alarm is kept. Exit forgets it. One missed by seconds rings at the next start; one
# missed by more than a quarter hour (the wall clock faked forward) is told, silent; a damaged
# kept file lets the program start unarmed. Run with DESKTOP_SOUND=pulse or pipewire.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
need_sound_server
autostart="$XDG_CONFIG_HOME/autostart/$DESKTOP_ID.desktop"
is_kept() { [ -s "$KEPT" ] && [ -s "$autostart" ]; }
nothing_kept() { [ ! -e "$KEPT" ] && [ ! -e "$autostart" ]; }
killed() { kill -s "$1" "$APP_PID"; wait "$APP_PID" 2>/dev/null || true; }
armed_for() { # seconds: a kept alarm, with its autostart entry
  armed_kept_for "$1"
  wait_for 3 is_kept || fail "the armed alarm was kept without an autostart entry"
}

start_app "$1"
armed_for 14
killed TERM
is_kept || fail "SIGTERM did not keep the alarm"
start_app "$1"
wait_for 3 icon_docked || fail "the start after SIGTERM did not take up the alarm"
screenshot kept-alarm-taken-up
killed KILL
start_app "$1"
first=$(heard_first_after "$DUE" $(( DUE - $(date +%s) + 3 )))
between "$DUE" "$first" "$(plus "$DUE" 1)" || fail "after SIGTERM and SIGKILL first heard at $first, its second was $DUE"
click Stopp
wait_for 2 nothing_kept || fail "Stop left the alarm kept"
echo "ok: kept through SIGTERM and SIGKILL, heard $(seconds_between "$DUE" "$first") s into its own second"

armed_for 30
click Exitz
expect_exit "Exit"
nothing_kept || fail "Exit left the alarm kept"
start_app "$1"
armed_for 30
xdotool windowactivate --sync "$APP_WINDOW" key alt+F4
expect_exit "the frame's close"
nothing_kept || fail "the frame's close left the alarm kept"
echo "ok: Exit and the frame's close forgot the alarm"

start_app env XDG_STATE_HOME=/proc/self/nowhere "$1"
type_into Text2_2 30
arm
wait_for 3 icon_docked || fail "with a state folder that cannot be written the alarm did not arm"
wait_for 3 grep -q "will not survive a restart" "$WORK/app.log" || fail "no word that the alarm will not be kept"
click Stopp
kill "$APP_PID"
echo "ok: with a state folder that cannot be written the alarm armed, and a line said it is not kept"

start_app "$1"
armed_for 2
killed KILL
sleep_until "$(plus "$DUE" 2)"
started=$(now)
start_app "$1"
first=$(heard_first_after "$started" 4)
between "$started" "$first" "$(plus "$started" 2)" || fail "missed by seconds, first heard at $first after a start at $started"
click Stopp
echo "ok: missed by seconds, it rang $(seconds_between "$started" "$first") s after the start"

armed_for 5
killed KILL
fake_clock_env "@$(( DUE + 16 * 60 ))"
start_app env "${FAKE_CLOCK_ENV[@]}" "$1"
wait_for 3 grep -q "Missed: Alarm at $(date -d @"$DUE" +%H:%M:%S)" "$WORK/notifications.log" \
  || fail "no notification of the missed alarm: $(cat "$WORK/notifications.log")"
silent_since=$(now)
sleep 2
[ -z "$(heard_first_after "$silent_since")" ] || fail "an alarm missed by 16 minutes rang"
icon_docked && fail "an alarm missed by 16 minutes was armed again"
nothing_kept || fail "the missed alarm is still kept"
killed TERM
echo "ok: missed by 16 minutes, it was told and stayed silent"

printf 'Meridane Chimewell alarm 9\nmode=duration\n' >"$KEPT"
start_app "$1"
wait_for 3 test -e "$KEPT.damaged" || fail "the damaged kept file was not moved aside"
sleep 1
still_alive || fail "a damaged kept file ended the program"
icon_docked && fail "a damaged kept file armed an alarm"
[ "$(grep -c "could not be read" "$WORK/app.log")" = 1 ] || fail "not one line about the damaged file: $(cat "$WORK/app.log")"
kill "$APP_PID"
echo "ok: a damaged kept file was moved aside and the program started unarmed"

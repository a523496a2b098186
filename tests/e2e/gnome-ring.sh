#!/usr/bin/env bash
# On GNOME Shell (native Wayland), the installed program rings a 3 s alarm while the user types
# into a terminal over its window: every key reaches the terminal, which keeps the focus. A click
# on the ring's notification brings the window forward with the focus, and so does a second
# start as the dash gives it (with the shell's activation token); the notification's "Stop"
# silences the next ring.
# Run with DESKTOP_SESSION=gnome, DESKTOP_INSTALL=the build folder of $1 and DESKTOP_SOUND=pulse
# or pipewire.
set -euo pipefail
source "$(dirname "$0")/gnome-lib.sh"
need_sound_server
program=$WORK/prefix/bin/$PROGRAM_COMMAND
[ -x "$program" ] || fail "nothing installed: run with DESKTOP_INSTALL=$(dirname "$1")"

start_app "$program"
[ "$(app_window | jq -r .app)" = "$APP_ID" ] || fail "the shell did not take the window for $APP_ID's: $(app_window)"
type_into Text2_2 3
arm box_belongs_to_window
due=$(plus "$ARMED_AT" 3)
screenshot gnome-ring-1-armed
echo "ok: the installed program, known to the shell as $APP_ID, armed for 3 s"

# Words every 0.2 s from before the ring until 2 s after its notification, a Return after every
# fourth: cat writes what it is given line by line.
start_terminal
words=(the quick brown fox jumps over the lazy dog while the alarm rings)
typed=0 sent='' shown_at='' focus_lost=''
past() { awk -v n="$(now)" -v t="$1" 'BEGIN { exit !(n > t) }'; }
until [ -n "$shown_at" ] && past "$(plus "$shown_at" 2)"; do
  past "$(plus "$due" 8)" && fail "no notification of the ring"
  typed=$((typed + 1))
  word="${words[typed % ${#words[@]}]} "
  [ $((typed % 4)) = 0 ] && word+=$'\n'
  gnome_shell type "$word"
  sent+=$word
  [ -z "$focus_lost" ] && ! has_focus "$TERMINAL_PID" && focus_lost="$(now) to $(focused_pid)"
  [ -z "$shown_at" ] && [ -n "$(ring_banner)" ] && shown_at=$(now)
  pause 0.2
done
gnome_shell type $'\n'
sent+=$'\n'
screenshot gnome-ring-2-ringing
[ -z "$focus_lost" ] || fail "the terminal lost the focus at $focus_lost (due at $due)"
# Read back as the shell reads a command's output: without the line breaks at its end.
expected=$sent
while [[ "$expected" == *$'\n' ]]; do expected=${expected%$'\n'}; done
wait_for 3 output_is "$expected" cat "$WORK/typed.txt" \
  || fail "the terminal got \"$(cat "$WORK/typed.txt")\" of \"$sent\""
first=$(heard_first_after "$ARMED_AT")
between "$due" "$first" "$(plus "$due" 1)" || fail "first heard at $first; due at $due"
echo "ok: heard $(seconds_between "$ARMED_AT" "$first") s after Yes; all $typed words reached the terminal," \
  "which kept the focus; the notification showed $(seconds_between "$due" "$shown_at") s after the due time"

banner=$(ring_banner)
jq -e '.actions | index("Stop")' <<<"$banner" >/dev/null || fail "the notification has no \"Stop\": $banner"
click_banner "$banner"
clicked_at=$(now)
wait_for 2 has_focus "$APP_PID" || fail "a click on the notification left the focus with $(focused_pid)"
screenshot gnome-ring-3-clicked
echo "ok: a click on the notification brought the window forward with the focus" \
  "in $(seconds_between "$clicked_at" "$(now)") s"

gnome_shell activate "$TERMINAL_PID"
wait_for 2 has_focus "$TERMINAL_PID" || fail "the terminal did not get the focus back"
token=$(gnome_shell launch-token "$APP_ID")
started_at=$(now)
XDG_ACTIVATION_TOKEN=$token "$program" >"$WORK/second.log" 2>&1 &
second=$!
wait_for 2 has_focus "$APP_PID" || fail "a second start with the shell's token left the focus with $(focused_pid)"
focused_at=$(now)
wait_for 3 not pid_running "$second" || fail "the second start is still running after 3 s"
status=0; wait "$second" || status=$?
[ "$status" = 0 ] || fail "the second start ended with status $status: $(cat "$WORK/second.log")"
echo "ok: a second start as the dash gives it brought the window forward with the focus" \
  "in $(seconds_between "$started_at" "$focused_at") s"

click Stopp
arm
wait_for 6 has_output ring_banner || fail "no notification of the second ring"
[ -n "$(heard_first_after "$ARMED_AT" 2)" ] || fail "the second ring was not heard"
banner=$(ring_banner)
screenshot gnome-ring-4-second-ring
stopped_at=$(now)
click_banner "$banner" Stop
sleep 2
last=$(heard_last)
between 0 "$last" "$(plus "$stopped_at" 1)" || fail "sound went on $(seconds_between "$stopped_at" "$last") s after the notification's Stop"
screenshot gnome-ring-5-stopped
kill "$APP_PID" "$TERMINAL_PID"
echo "ok: a click on the notification's Stop silenced the ring within $(seconds_between "$stopped_at" "$last") s"

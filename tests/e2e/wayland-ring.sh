#!/usr/bin/env bash
# The default alarm on a native Wayland desktop (sway, waybar's tray, mako), armed from the
# keyboard and hidden by the tray, rings while the user types into a terminal: the window comes
# back and the ring goes on, the keys that land in the window open nothing, and the ring's
# notification stops the sound with its "Stop" action.
# Run with DESKTOP_SESSION=sway DESKTOP_ATSPI=1 and DESKTOP_SOUND=pulse or pipewire.
set -euo pipefail
source "$(dirname "$0")/wayland-lib.sh"
need_sound_server
reminder="Tea is ready"

start_app "$1"
wait_for 5 window_focused || fail "the new window did not get the focus"
screenshot wayland-ring-1-start
tab_to "Click to write a Reminder message"
wtype -k space
wait_box "input box for the reminder"
wtype "$reminder"
wtype -k Return
wait_for 5 not box_shown || fail "the reminder's input box did not close"

arm
yes_at=$ARMED_AT
due=$(plus "$yes_at" 10)
wait_for 5 sni_item_registered || fail "the icon did not reach waybar's tray"
screenshot wayland-ring-2-armed
activate_sni_item
wait_for 3 window_hidden || fail "activating the icon did not hide the window"
echo "ok: armed by the keyboard, hidden by waybar's tray"

# Typing goes on from before the ring until well after it, a word every 0.3 s and a Return
# after every fourth, as into a shell: Space and Return are what click a focused control.
start_terminal
focus_terminal
words=(the quick brown fox jumps over the lazy dog while the alarm rings)
typed=0
shown_at=
focus_taken_at=
past() { awk -v n="$(now)" -v t="$1" 'BEGIN { exit !(n > t) }'; }
until [ -n "$shown_at" ] && past "$(plus "$shown_at" 5)"; do
  past "$(plus "$due" 15)" && fail "the window did not come back at the ring"
  typed=$((typed + 1))
  if [ $((typed % 4)) = 0 ]; then
    wtype "${words[typed % ${#words[@]}]} " -k Return
  else
    wtype "${words[typed % ${#words[@]}]} "
  fi
  window=$(app_window)
  [ -z "$shown_at" ] && [ "$(jq -r .visible <<<"${window:-null}")" = true ] && shown_at=$(now)
  [ -z "$focus_taken_at" ] && [ "$(jq -r .focused <<<"${window:-null}")" = true ] && focus_taken_at=$(now)
  sleep 0.3
done
screenshot wayland-ring-3-ringing
between "$due" "$shown_at" "$(plus "$due" 2)" || fail "the window came back at $shown_at, due at $due"

first=$(heard_first_after "$yes_at")
between "$due" "$first" "$(plus "$due" 1)" || fail "first heard at $first; due at $due (Yes at $yes_at)"
heard_first_after "$(plus "$shown_at" 3)" | grep -q . || fail "the ring was not heard 3 s after the window came back"
others=$(other_windows)
[ -z "$others" ] || fail "the keys typed while it rang opened: $others"
kill -0 "$APP_PID" || fail "the program ended while it rang"
arrived=$(wc -w <"$WORK/typed.txt")
focus="the terminal kept the focus"
[ -n "$focus_taken_at" ] && focus="the ringing window took the focus $(seconds_between "$due" "$focus_taken_at") s after its due time"
echo "ok: heard $(seconds_between "$yes_at" "$first") s after Yes, the window back $(seconds_between "$due" "$shown_at") s" \
  "after its due time and the ring still heard 3 s later; nothing opened; $focus;" \
  "$arrived of $typed words reached the terminal"

wait_for 3 has_output notification "$PROGRAM_TITLE" || fail "no notification of the ring: $(makoctl list)"
posted=$(notification "$PROGRAM_TITLE")
[ "$(jq -r .body.data <<<"$posted")" = "$reminder" ] || fail "the notification's body is not the reminder: $posted"
[ "$(jq -r '.actions.data.stop' <<<"$posted")" = Stop ] || fail "the notification has no action \"Stop\": $posted"
jq -e '.actions.data | has("default")' <<<"$posted" >/dev/null || fail "the notification has no default action: $posted"
id=$(jq -r .id.data <<<"$posted")
stopped_at=$(now)
makoctl invoke -n "$id" stop
sleep 2
last=$(heard_last)
between 0 "$last" "$(plus "$stopped_at" 1)" || fail "sound went on $(seconds_between "$stopped_at" "$last") s after the notification's Stop"
wait_for 2 not has_output notification "$PROGRAM_TITLE" || fail "the notification stayed after its Stop: $(makoctl list)"
screenshot wayland-ring-4-stopped
kill "$APP_PID" "$TERMINAL_PID"
echo "ok: the notification's Stop silenced the ring within $(seconds_between "$stopped_at" "$last") s and the notification went"

#!/usr/bin/env bash
# While the alarm rings, the user types into another program: every key arrives there, and the
# ringing window, hidden by its Hide control and mapped again by the ring, never takes the
# keyboard, even where the window manager focuses windows as they map (DESKTOP_WM=xfwm4).
# The toggle's show still gives it the focus.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
need_sound_server
start_app "$1"
# A terminal beside the alarm, the text typed into it written to a file.
xterm -geometry 60x10+540+0 -e sh -c "stty -echo; cat > '$WORK/typed.txt'" &
TERMINAL_PID=$!
wait_for 10 xdotool search --onlyvisible --pid "$TERMINAL_PID" || fail "the terminal did not show"
TERMINAL=$(xdotool search --onlyvisible --pid "$TERMINAL_PID" | head -n1)

type_into Text2_2 4
arm
yes_at=$ARMED_AT
click ImgHide
wait_for 3 not viewable || fail "Hide did not hide the window"
xdotool windowactivate --sync "$TERMINAL"
[ "$(active_window)" = "$TERMINAL" ] || fail "the terminal did not get the focus"

# Typing goes on from before the ring starts until well after.
text="the quick brown fox jumps over the lazy dog while the alarm rings 0123456789 again and again and the typing goes on after the ring began until every word is in"
stolen=0
samples=0
for word in $text; do
  xdotool type --delay 90 "$word "
  samples=$((samples + 1))
  [ "$(active_window)" = "$TERMINAL" ] || stolen=$((stolen + 1))
done
xdotool key Return
typed_until=$(now)
sleep 0.5
screenshot keys-kept-ringing
first=$(heard_first_after "$yes_at")
between "$yes_at" "$first" "$(plus "$typed_until" -2)" || fail "the ring (first heard at $first) did not start while typing (from $yes_at to $typed_until)"
typed=$(tr -d '\r\n' <"$WORK/typed.txt" | sed 's/ *$//')
[ "$typed" = "$text" ] || fail "typed into the terminal: '$text', it got: '$typed'"
[ "$stolen" = 0 ] || fail "the alarm window had the focus in $stolen of $samples samples"
window_shown || fail "the ringing window is not shown"

# Asked for by the user, the window does take the focus: hidden and shown by the icon's toggle.
click Stopp
xdotool windowactivate --sync "$TERMINAL"
click_icon 1 2
wait_for 5 not viewable || fail "the double-click did not hide the window"
click_icon 1 2
wait_for 5 output_is "$APP_WINDOW" active_window || fail "shown by the toggle, the window did not get the focus"
kill "$TERMINAL_PID" "$APP_PID"
echo "ok: all $(wc -w <<<"$text") words reached the terminal while the alarm rang; the toggle's show took the focus"

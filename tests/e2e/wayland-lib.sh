# shellcheck shell=bash disable=SC2034 # the journeys read the names set here
# Helpers for journeys on the native Wayland desktop (DESKTOP_SESSION=sway); sourced inside
# with-desktop.sh. xdotool sees nothing there: windows are read from sway's tree, keys come from
# wtype, and where the keyboard focus is inside the program from the accessibility bus, as a
# screen reader follows it (no pointer reaches the program on a headless seat).
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
[ "$DESKTOP_SESSION" = sway ] || fail "run with DESKTOP_SESSION=sway"

# The program's boxes carry its name as their title.
BOX_TITLE=$PROGRAM_TITLE

# Every window sway manages, one JSON object a line.
sway_windows() {
  swaymsg -t get_tree | jq -c '.. | objects | select((.type == "con" or .type == "floating_con") and .pid != null)'
}
windows_of() { sway_windows | jq -c --argjson pid "$1" 'select(.pid == $pid)'; }
# The alarm window is the program's window of the size it first showed with; each show on
# Wayland is a new surface, so nothing else of it is kept.
app_window() { windows_of "$APP_PID" | jq -c --arg size "$APP_SIZE" 'select("\(.rect.width)x\(.rect.height)" == $size)' | head -n1; }
other_windows() { windows_of "$APP_PID" | jq -r --arg size "$APP_SIZE" 'select("\(.rect.width)x\(.rect.height)" != $size) | .name'; }
window_shown() { [ "$(app_window | jq -r .visible)" = true ]; }
window_hidden() { [ -z "$(app_window)" ]; }
window_focused() { [ "$(app_window | jq -r .focused)" = true ]; }
box_shown() { windows_of "$APP_PID" | jq -e --arg box "$BOX_TITLE" 'select(.name == $box)' >/dev/null; }
focused_window_name() { sway_windows | jq -r 'select(.focused) | .name'; }

# Starts the program in the background; sets APP_PID and APP_SIZE.
start_app() {
  "$@" >"$WORK/app.log" 2>&1 &
  APP_PID=$!
  wait_for 15 has_output windows_of "$APP_PID" || { cat "$WORK/app.log" >&2; fail "the program showed no window"; }
  APP_SIZE=$(windows_of "$APP_PID" | head -n1 | jq -r '"\(.rect.width)x\(.rect.height)"')
}

screenshot() { grim "$SCREENSHOTS/$1.png"; }

# The control that has the keyboard focus, as its role and name, read from the accessibility bus.
focused_control() {
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/atspi-names.py" "$PROGRAM_TITLE" focused 2>/dev/null
}
# Presses Tab until the control named $1 has the focus, each time waiting for the focus to move.
tab_to() { # accessible name
  local before
  [ -n "${QT_LINUX_ACCESSIBILITY_ALWAYS_ON:-}" ] || fail "tab_to reads the focus from the accessibility bus: run with DESKTOP_ATSPI=1"
  for _ in $(seq 40); do
    before=$(focused_control)
    [ "$(cut -f2 <<<"$before")" = "$1" ] && return 0
    wtype -k Tab
    wait_for 2 not output_is "$before" focused_control || fail "Tab did not move the focus from \"$before\""
  done
  fail "Tab never reached \"$1\""
}

# Waits for one of the program's boxes to show and take the keyboard.
wait_box() { # what
  wait_for 5 box_shown || fail "no $1"
  wait_for 3 output_is "$BOX_TITLE" focused_window_name || fail "the $1 did not get the focus"
}

# Arms the current criteria as a keyboard user does: Tab to OK, Space, and Return for Yes in
# the summary. ARMED_AT is the moment just before Yes was pressed.
arm() {
  tab_to "Press after setting alarm criteria"
  wtype -k space
  wait_box summary
  ARMED_AT=$(now)
  wtype -k Return
  wait_for 5 not box_shown || fail "the summary did not close"
}

# A terminal to type into, shown, and with the focus.
terminal_focused() { [ "$(windows_of "$TERMINAL_PID" | jq -r .focused)" = true ]; }
terminal_shown() { has_output windows_of "$TERMINAL_PID"; }
start_terminal() { start_foot terminal_shown; }
focus_terminal() {
  swaymsg '[app_id="chimewell-terminal"] focus' >/dev/null
  wait_for 3 terminal_focused || fail "the terminal did not get the focus"
}

# The program's notification as mako holds it (JSON), by its summary; empty when there is none.
notification() { # summary
  makoctl list | jq -c --arg summary "$1" '.data[0][] | select(.summary.data == $summary)'
}

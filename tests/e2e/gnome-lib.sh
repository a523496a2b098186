# shellcheck shell=bash disable=SC2034 # the journeys read the names set
# Helpers for journeys on GNOME Shell (DESKTOP_SESSION=gnome); sourced inside with-desktop.sh.
# xdotool sees nothing there: the shell tells the windows, the focus and its notifications
# (gnome-shell.py, through its Eval), and the keys and clicks come from the shell's own virtual
# keyboard and pointer, which it takes for a user's.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
[ "$DESKTOP_SESSION" = gnome ] || fail "run with DESKTOP_SESSION=gnome"

APP_ID=$DESKTOP_ID.desktop
# The program's boxes carry its name as their title; its window has none of its own.
BOX_TITLE=$PROGRAM_TITLE
# Qt draws the window's frame itself: the content begins this far into the window.
CONTENT_AT="3 31"

windows_of() { gnome_shell windows | jq -c --argjson pid "$1" 'select(.pid == $pid)'; }
focused_pid() { gnome_shell windows | jq -r 'select(.focus) | .pid'; }
has_focus() { [ "$(focused_pid)" = "$1" ]; }
app_window() { windows_of "$APP_PID" | jq -c --arg box "$BOX_TITLE" 'select(.title != $box)' | head -n1; }
box_window() { windows_of "$APP_PID" | jq -c --arg box "$BOX_TITLE" 'select(.title == $box)' | head -n1; }
box_shown() { windows_of "$APP_PID" | jq -e --arg box "$BOX_TITLE" 'select(.title == $box)' >/dev/null; }
box_focused() { windows_of "$APP_PID" | jq -e --arg box "$BOX_TITLE" 'select(.title == $box and .focus)' >/dev/null; }

# Starts the program in the background; sets APP_PID.
start_app() {
  "$@" >"$WORK/app.log" 2>&1 &
  APP_PID=$!
  wait_for 15 has_output app_window || { cat "$WORK/app.log" >&2; fail "the program showed no window"; }
}

screenshot() { gnome_shell screenshot "$SCREENSHOTS/$1.png" || echo "no screenshot $1" >&2; }

# A pointer click on a control of the window (CONTROL in lib.sh).
click() { # control
  local corner place
  corner=$(app_window | jq -r '.rect | "\(.[0]) \(.[1])"')
  [ -n "$corner" ] || fail "no window to click $1 on"
  place=$(place_of "$1")
  # shellcheck disable=SC2086 # the numbers' words
  set -- $place $corner $CONTENT_AT
  gnome_shell click $(($1 + $3 + $5)) $(($2 + $4 + $6))
}
type_into() { # control text
  click "$1"
  gnome_shell key ctrl+a
  gnome_shell type "$2"
}

# The open box is the shell's modal box of the window: attached over it (centred across it,
# its top within the window), and a click on the window beside it leaves the keyboard with it.
box_belongs_to_window() {
  local window box
  window=$(app_window) box=$(box_window)
  jq -n -e --argjson w "$window" --argjson b "$box" '$b.modal_to == $w.id' >/dev/null \
    || fail "the box is not the shell's modal box of the window: box $box, window $window"
  jq -n -e --argjson w "$window" --argjson b "$box" \
    '($w.rect[0] + $w.rect[2] / 2 - $b.rect[0] - $b.rect[2] / 2 | fabs) <= 2
     and $b.rect[1] >= $w.rect[1] and $b.rect[1] < $w.rect[1] + $w.rect[3] / 2' >/dev/null \
    || fail "the box is not placed over the window: box $box, window $window"
  screenshot gnome-box-over-window
  click Label13 # a caption beside the box
  pause 0.5
  box_focused || fail "a click on the window beside the box took the keyboard from the box"
}

# Arms the current criteria: OK, then Return for Yes in the summary, after the check given, if
# any, on the open summary. ARMED_AT is the moment just before Yes was pressed.
arm() { # [check]
  click OK
  wait_for 5 box_focused || fail "the summary did not show with the focus"
  "${@:-true}"
  ARMED_AT=$(now)
  gnome_shell key Return
  wait_for 5 not box_shown || fail "the summary did not close"
}

# A terminal to type into, shown (sway) or shown with the focus (GNOME).
terminal_focused() { has_focus "$TERMINAL_PID"; }
start_terminal() { start_foot terminal_focused; }

# The program's notification in the shell's banner (JSON: title, actions, and where its body
# and buttons are on the screen); empty when the banner shows none of it.
ring_banner() {
  gnome_shell notifications | jq -c --arg title "$PROGRAM_TITLE" 'select(.title == $title and .banner)'
}
# A pointer click on the banner: on its body, or on the button of a label.
click_banner() { # banner JSON [label]
  # shellcheck disable=SC2046 # the point's two numbers
  gnome_shell click $(jq -r --arg name "${2:-}" \
    'if $name == "" then .body_at else .buttons[$name] | [.[0] + .[2] / 2, .[1] + .[3] / 2] end | "\(.[0]) \(.[1])"' <<<"$1")
}

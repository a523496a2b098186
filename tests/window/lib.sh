# Helpers for window tests; sourced inside with-desktop.sh.
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Polls (every 50 ms, up to $2 seconds) until the command in $1 succeeds.
wait_for() { desktop_wait "$@"; }

# Starts the program in the background; sets APP_PID and APP_WINDOW.
start_app() {
  "$@" >"$WORK/app.log" 2>&1 &
  APP_PID=$!
  wait_for 'xdotool search --onlyvisible --pid "$APP_PID"' 15 || {
    cat "$WORK/app.log" >&2; fail "the program showed no window"; }
  APP_WINDOW=$(xdotool search --onlyvisible --pid "$APP_PID" | head -n1)
  # Placed and framed by the window manager before anyone clicks on it.
  wait_for '[ "$(wm_state)" = Normal ]' 5 || fail "the window manager did not take the window (WM_STATE $(wm_state))"
}

# A window's place on screen and its size, in X, Y, WIDTH and HEIGHT. xwininfo's absolute
# corner is right under a reparenting window manager; xdotool's adds the frame twice.
geometry_of() {
  local info
  info=$(xwininfo -id "$1") || return 1
  X=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
  Y=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
  WIDTH=$(sed -n 's/^ *Width: *//p' <<<"$info")
  HEIGHT=$(sed -n 's/^ *Height: *//p' <<<"$info")
}

# Wholly on the screen, where a click lands on it: a window manager can map a window it restores
# before it moves it back from where it kept it. Sets X, Y, WIDTH and HEIGHT as geometry_of does.
on_screen() {
  geometry_of "$1" || return 1
  local size
  size=$(xdotool getdisplaygeometry) || return 1
  [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le "${size% *}" ] && [ $((Y + HEIGHT)) -le "${size#* }" ]
}

screenshot() {
  import -window root "$SCREENSHOTS/$1.png"
}

# What the X server and the window manager hold about a window, not what the program thinks:
# its ICCCM state (Normal, Iconic, Withdrawn, or none before it was ever mapped), whether it is
# viewable on screen, and whether the manager marks it hidden (minimized).
wm_state() { xprop -id "${1:-$APP_WINDOW}" WM_STATE 2>/dev/null | sed -n 's/^[[:space:]]*window state: //p'; }
viewable() { xwininfo -id "${1:-$APP_WINDOW}" 2>/dev/null | grep -q 'Map State: IsViewable'; }
net_wm_hidden() { xprop -id "${1:-$APP_WINDOW}" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_HIDDEN; }
# The window as a user finds it: shown on screen, minimized to the task list, or gone.
window_shown() { viewable "$@" && [ "$(wm_state "$@")" = Normal ]; }
window_minimized() { ! viewable "$@" && [ "$(wm_state "$@")" = Iconic ] && net_wm_hidden "$@"; }
window_hidden() { ! viewable "$@" && [ "$(wm_state "$@")" != Normal ] && [ "$(wm_state "$@")" != Iconic ]; }
# The window that has the keyboard focus, as the window manager says.
active_window() { xdotool getactivewindow 2>/dev/null; }

# shellcheck shell=bash
# Helpers for window tests; sourced inside with-desktop.sh.
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }

# wait_for SECONDS COMMAND [ARGS...]: desktop_wait's poll.
wait_for() { desktop_wait "$@"; }

# Starts the program in the background; sets APP_PID and APP_WINDOW.
start_app() {
  "$@" >"$WORK/app.log" 2>&1 &
  APP_PID=$!
  # The alarm window's caption is a blank, where its boxes have the title and the icon (docked
  # at once for an alarm taken up) another; a window the manager does not take (a tooltip under
  # the pointer) may show beside it. A search fails when a window (another program's, ending)
  # goes while it looks: look again.
  app_windows() { xdotool search --onlyvisible --pid "$APP_PID" --name '^ $'; }
  wait_for 15 has_output app_windows || { cat "$WORK/app.log" >&2; fail "the program showed no window"; }
  # Placed and framed by the window manager before anyone clicks on it.
  app_window_taken() {
    for APP_WINDOW in $(app_windows); do [ "$(wm_state)" = Normal ] && return 0; done
    return 1
  }
  wait_for 5 app_window_taken || fail "the window manager did not take the window (WM_STATE $(wm_state))"
}

# A window's place on screen and its size, in X, Y, WIDTH and HEIGHT. xwininfo's absolute
# corner is right under a reparenting window manager; xdotool's adds the frame twice. Read
# without a process of its own per field: the tests poll this.
geometry_of() {
  local info line
  info=$(xwininfo -id "$1") || return 1
  while read -r line; do
    case $line in
      "Absolute upper-left X:"*) X=${line##* } ;;
      "Absolute upper-left Y:"*) Y=${line##* } ;;
      "Width:"*) WIDTH=${line##* } ;;
      "Height:"*) HEIGHT=${line##* } ;;
    esac
  done <<<"$info"
}

# Wholly on the screen, where a click lands on it: a window manager can map a window it restores
# before it moves it back from where it kept it. Sets X, Y, WIDTH and HEIGHT as geometry_of does.
on_screen() {
  geometry_of "$1" || return 1
  SCREEN_SIZE=${SCREEN_SIZE:-$(xdotool getdisplaygeometry)} || return 1
  [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le "${SCREEN_SIZE% *}" ] \
    && [ $((Y + HEIGHT)) -le "${SCREEN_SIZE#* }" ]
}

screenshot() {
  import -window root "$SCREENSHOTS/$1.png"
}

# What the X server and the window manager hold about a window, not what the program thinks:
# its ICCCM state (Normal, Iconic, Withdrawn, or none before it was ever mapped), whether it is
# viewable on screen, and whether the manager marks it hidden (minimized). look_at_window reads
# all three at once, in two requests, into WM_STATE_NOW, VIEWABLE and NET_HIDDEN (yes or no).
look_at_window() {
  local info props
  info=$(xwininfo -id "${1:-$APP_WINDOW}" 2>/dev/null) || info=
  props=$(xprop -id "${1:-$APP_WINDOW}" WM_STATE _NET_WM_STATE 2>/dev/null) || props=
  [[ $info == *"Map State: IsViewable"* ]] && VIEWABLE=yes || VIEWABLE=no
  [[ $props =~ window\ state:\ ([A-Za-z]+) ]] && WM_STATE_NOW=${BASH_REMATCH[1]} || WM_STATE_NOW=
  [[ $props == *_NET_WM_STATE_HIDDEN* ]] && NET_HIDDEN=yes || NET_HIDDEN=no
}
wm_state() { look_at_window "$@"; echo "$WM_STATE_NOW"; }
viewable() { look_at_window "$@"; [ "$VIEWABLE" = yes ]; }
# The window as a user finds it: shown on screen, minimized to the task list, or gone.
window_shown() { look_at_window "$@"; [ "$VIEWABLE" = yes ] && [ "$WM_STATE_NOW" = Normal ]; }
window_minimized() {
  look_at_window "$@"
  [ "$VIEWABLE" = no ] && [ "$WM_STATE_NOW" = Iconic ] && [ "$NET_HIDDEN" = yes ]
}
window_hidden() {
  look_at_window "$@"
  [ "$VIEWABLE" = no ] && [ "$WM_STATE_NOW" != Normal ] && [ "$WM_STATE_NOW" != Iconic ]
}
# The window that has the keyboard focus, as the window manager says.
active_window() { xdotool getactivewindow 2>/dev/null; }

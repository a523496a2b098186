# shellcheck shell=bash disable=SC2034 # the journeys read the names set here
# Helpers for journeys of the real program; sourced inside with-desktop.sh.
E2E_DIR=$(dirname "${BASH_SOURCE[0]}")
source "$E2E_DIR/../window/lib.sh"
# PROGRAM_TITLE, PROGRAM_COMMAND, DESKTOP_ID, WINDOW_SIZE and OWN_FILE_TONE, from the build.
# shellcheck source=../../scripts/identity.sh.in
source "${IDENTITY:?IDENTITY names the generated/identity.sh of a build: ctest sets it}"

# The alarm window's controls the journeys use, found as a screen reader finds them: by role and
# accessible name (or, after ~, the description of a control whose name is what it shows), and
# which of the controls so found it is.
declare -A CONTROL=(
  [OK]="push button|Press after setting alarm criteria|1" [Stopp]="push button|Stop Alarm Sound|1"
  [Orr]="push button|Toggle between Duration AND Time Set|1" [Label7]="label|~This is your Reminder Text|1"
  [ImgHide]="image|Hide this screen|1" [Label19]="label|Hide|1"
  [Label20]="label|Exit|1" [Exitz]="label|Exit|2" [Picture1]="image|Exit|1"
  [Text2_0]="text|Duration hours|1" [Text2_1]="text|Duration minutes|1" [Text2_2]="text|Duration seconds|1"
  [Text1_0]="text|Alarm time hours|1" [Text1_1]="text|Alarm time minutes|1" [Text1_2]="text|Alarm time seconds|1"
  [Image4]="image|Info about Meridane products|1" [Image2]="image|Info about Meridane products|2"
  [Image1_0]="image|Info about Meridane products|3" [Image1_1]="image|Info about Meridane products|4"
  [Label13]="label|Set Alarm Date|1"
)
# Where a window's controls are, read once a desktop from the accessibility bus (the layout
# does not move): role, name, description and centre, a line each.
control_places() { # [window: its size or its name; the alarm window's size]
  local window=${1:-$WINDOW_SIZE}
  PLACES=$WORK/places-${window// /_}.tsv
  [ -s "$PLACES" ] && return
  /usr/bin/python3 "$E2E_DIR/atspi-places.py" "$PROGRAM_TITLE" "$window" >"$PLACES" \
    2>>"$WORK/atspi-py.log" || fail "the controls of \"$window\" are not on the accessibility bus (DESKTOP_ATSPI=1?)"
}
# The centre of a control from its window's top-left corner: "x y".
place_of() { # control, or tone N (the Nth tone's caption, from 0), or in WINDOW ROLE NAME
  local role name nth=1 window=''
  case $1 in
    tone) role=label name="[$(($2 + 1))] *" ;;
    in) window=$2 role=$3 name=$4 ;;
    *)
      [ -n "${CONTROL[$1]:-}" ] || fail "no control $1 in CONTROL"
      IFS='|' read -r role name nth <<<"${CONTROL[$1]}"
      ;;
  esac
  control_places "$window"
  awk -F'\t' -v role="$role" -v name="$name" -v nth="$nth" '
    BEGIN { field = 2; if (substr(name, 1, 1) == "~") { field = 3; name = substr(name, 2) } }
    $1 == role && (name ~ /\*$/ ? index($field, substr(name, 1, length(name) - 1)) == 1 : $field == name) \
      && ++seen == nth { print $4; found = 1; exit }
    END { exit !found }' "$PLACES" || fail "no $role \"$name\" ($nth) on the accessibility bus"
}

click() { # control [button [repeat]]
  local place
  place=$(place_of "$1") # a control not found ends the journey here
  click_place "$1" "$place" "${2:-1}" "${3:-1}"
}
click_tone() { # index
  local place
  place=$(place_of tone "$1")
  click_place "tone $1" "$place" 1 1
}
click_place() { # what place button repeat
  wait_for 3 on_screen "$APP_WINDOW" || fail "the window is not on the screen to click $1"
  xdotool mousemove $((X + ${2% *})) $((Y + ${2#* })) click --repeat "$4" --delay 80 "$3"
}
type_into() { # control text
  click "$1"
  xdotool key ctrl+a
  xdotool type -- "$2"
}

# The program shows more windows than the number given (a menu or a box opened).
more_windows_than() { [ "$(xdotool search --onlyvisible --pid "$APP_PID" | wc -l)" -gt "$1" ]; }

# Types text by pasting it, as xdotool cannot type every letter (accents, for one).
paste_text() {
  printf '%s' "$1" | xclip -selection clipboard
  xdotool key ctrl+v
}


# The program's modal box (titled with the program's name) once it shows; its text, copied
# with Ctrl+C as a user could, is in BOX_TEXT.
# shellcheck disable=SC2120 # the journeys pass the seconds to wait
wait_box() {
  wait_for "${1:-5}" xdotool search --onlyvisible --name "^$PROGRAM_TITLE$" || fail "no box appeared"
  BOX=$(xdotool search --onlyvisible --name "^$PROGRAM_TITLE$" | head -n1)
  box_belongs_to_window
  xdotool windowfocus --sync "$BOX"
  sleep 0.2
  # Emptied first, so that what is read is the box's copy and not what the clipboard held
  # before (a slow program can take a while over a long text).
  printf '' | xclip -selection clipboard
  xdotool key ctrl+c
  wait_for 5 has_output xclip -selection clipboard -o || fail "the box's text could not be copied"
  BOX_TEXT=$(xclip -selection clipboard -o 2>/dev/null || true)
}
# A box is its window's: a modal transient of it, placed over it while the window is shown.
box_belongs_to_window() {
  local props box_x box_y
  props=$(xprop -id "$BOX" WM_TRANSIENT_FOR _NET_WM_STATE)
  [[ $props == *"window id # $(printf '0x%x' "$APP_WINDOW")"* ]] || fail "the box is not the window's transient: $props"
  [[ $props == *_NET_WM_STATE_MODAL* ]] || fail "the box is not modal: $props"
  window_shown || return 0
  geometry_of "$BOX"
  box_x=$((X + WIDTH / 2)) box_y=$((Y + HEIGHT / 2))
  geometry_of "$APP_WINDOW"
  { [ "$box_x" -gt "$X" ] && [ "$box_x" -lt $((X + WIDTH)) ] && [ "$box_y" -gt "$Y" ] && [ "$box_y" -lt $((Y + HEIGHT)) ]; } \
    || fail "the box's centre ($box_x, $box_y) is not over the window ($X, $Y, $WIDTH x $HEIGHT)"
}
answer_box() { # key
  xdotool windowfocus --sync "$BOX" key "$1"
  wait_for 5 not has_output xdotool search --onlyvisible --name "^$PROGRAM_TITLE$" || fail "the box did not close"
}

# The file dialog: it carries no title of the program's, only the dialog's own, so it is found
# as the program's one big window besides the alarm window (the icon is a small one). Waits for
# it and gives it the keyboard; DIALOG is its window.
file_dialog() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
    [ "$w" = "$APP_WINDOW" ] && continue
    geometry_of "$w" && [ "$WIDTH" -gt 300 ] && { echo "$w"; return 0; }
  done
  return 1
}
wait_file_dialog() {
  wait_for "${1:-5}" file_dialog || fail "no file dialog"
  DIALOG=$(file_dialog)
  xdotool windowfocus --sync "$DIALOG"
  sleep 0.3
}
file_dialog_closed() { ! file_dialog >/dev/null; }

tray_width() {
  local panel
  panel=$(xembed_tray_panel)
  [ -n "$panel" ] || return 1
  geometry_of "$panel"
  echo "$WIDTH"
}
icon_docked() { [ "$(tray_width 2>/dev/null || echo 0)" -gt 2 ]; }
click_icon() { # button [repeat]
  local panel
  panel=$(xembed_tray_panel)
  geometry_of "$panel"
  xdotool mousemove $((X + WIDTH - 12)) $((Y + HEIGHT / 2)) click --repeat "${2:-1}" --delay 80 "$1"
}
# A menu takes the keyboard a moment after it shows (later on a busy machine); keys sent sooner
# reach the window under it. A user reads a menu before choosing from it.
MENU_READ_SECONDS=0.5
# The docked icon's menu, read. The icon and the window are windows of the program too: the menu
# is one more. A right click the busy desktop lost is made again, as a user would.
open_icon_menu() {
  local before attempt
  before=$(xdotool search --onlyvisible --pid "$APP_PID" | wc -l)
  for attempt in 1 2 3; do
    click_icon 3
    wait_for 3 more_windows_than "$before" && break
    [ "$attempt" = 3 ] && fail "three right clicks on the icon showed no menu"
    echo "the right click showed no menu at attempt $attempt" >&2
  done
  sleep "$MENU_READ_SECONDS"
}

# Arms the default (or current) criteria: OK, then Yes in the summary. ARMED_AT is the moment
# just before Yes was pressed: nothing counts from earlier.
arm() {
  click OK
  wait_box
  ARMED_AT=$(now)
  answer_box Return
}

# Where the program keeps its armed alarm; one of its lines ("armed-at", "seconds", …).
KEPT="$XDG_STATE_HOME/$PROGRAM_COMMAND/alarm"
kept_value() { sed -n "s/^$1 //p" "$KEPT"; }
# Arms a duration of $1 seconds and waits until it is kept; sets DUE, the second it is due.
armed_kept_for() {
  rm -f "$KEPT"
  type_into Text2_2 "$1"
  arm
  wait_for 3 test -s "$KEPT" || fail "the armed alarm was not kept"
  DUE=$(( $(kept_value armed-at) + $(kept_value seconds) ))
}

# The largest sample the program has sent to the sound device so far (0 to 1).
loudest() {
  [ -s "$AUDIO_OUT" ] || { echo 0; return; }
  sox -t raw -r 44100 -e signed -b 16 -c 2 "$AUDIO_OUT" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}'
}
heard() { awk -v a="$(loudest)" 'BEGIN { exit !(a > 0.01) }'; }

# Journeys judged by what a sound server played run on either kind.
need_sound_server() {
  [[ "$DESKTOP_SOUND" == pulse || "$DESKTOP_SOUND" == pipewire ]] || fail "run with DESKTOP_SOUND=pulse or pipewire"
}
# On the sound server: the wall-clock moment the sink first played sound
# at or after a moment, and the last moment it played sound; empty when it did not.
now() { date +%s.%N; }
# heard_first_after MOMENT [SECONDS] waits up to SECONDS for a sound that late (a wait_for in
# one process: a poll that started Python every 50 ms would keep a core busy).
heard_first_after() { python3 "$E2E_DIR/heard.py" "$AUDIO_OUT" "$HEARD_T0" first-after "$1" "${2:-0}"; }
heard_last() { python3 "$E2E_DIR/heard.py" "$AUDIO_OUT" "$HEARD_T0" last; }
plus() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a + b }'; }
seconds_between() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }
sleep_until() { sleep "$(awk -v t="$1" -v n="$(now)" 'BEGIN { d = t - n; print (d > 0 ? d : 0) }')"; }
# True when $1 <= $2 < $3 (moments, as decimals).
between() { awk -v a="$1" -v x="$2" -v b="$3" 'BEGIN { exit !(x != "" && a <= x && x < b) }'; }

# The accessible names of the program's controls ("role<TAB>name" a line), read through the
# accessibility bus as a screen reader reads them, which the window thread answers. Needs
# DESKTOP_ATSPI=1.
accessible_names() { /usr/bin/python3 "$E2E_DIR/atspi-names.py" "$PROGRAM_TITLE" 2>>"$WORK/atspi-py.log"; }
accessible_names_matching() { accessible_names | grep -xF "$1"; } # role TAB name

# A terminal on a Wayland desktop (foot), TERMINAL_PID; what is typed into it is written to
# $WORK/typed.txt. Shown once the command given succeeds.
start_foot() { # command [args...]
  LANG=C.UTF-8 foot --app-id=chimewell-terminal sh -c "stty -echo; cat > '$WORK/typed.txt'" >"$WORK/foot.log" 2>&1 &
  TERMINAL_PID=$!
  wait_for 10 "$@" || { cat "$WORK/foot.log" >&2; fail "the terminal did not show ($*)"; }
}

# Starts the program so that its end, once begun, lingers while its process lives on (see
# tests/support/linger_at_exit.cpp; LINGER_SECONDS sets how long); ending_began and still_alive
# tell that the end began and the process is still there, so what the program undid before
# ending can be seen apart from what its death did.
start_app_lingering() {
  rm -f "$WORK/ending"
  start_app env LINGER_AT_EXIT_SECONDS="${LINGER_SECONDS:-}" LD_PRELOAD="$LINGER_AT_EXIT" \
    LINGER_AT_EXIT_MARK="$WORK/ending" \
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" "$@"
}
ending_began() { wait_for "${1:-3}" test -e "$WORK/ending"; }
still_alive() { kill -0 "$APP_PID" 2>/dev/null; }

# The program ends within $2 seconds (default 3) with status 0.
expect_exit() {
  local status=0
  for _ in $(seq $(( ${2:-3} * 20 ))); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$APP_PID" 2>/dev/null && fail "$1: the program is still running"
  wait "$APP_PID" || status=$?
  [ "$status" = 0 ] || fail "$1: the program ended with status $status"
}

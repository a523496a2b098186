#!/usr/bin/env bash
# Every control of the alarm window and of the information window is on the accessibility bus
# (AT-SPI) with its name, as a screen reader finds it.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
[ -n "${QT_LINUX_ACCESSIBILITY_ALWAYS_ON:-}" ] || fail "run with DESKTOP_ATSPI=1"
start_app "$1"
names=$(/usr/bin/python3 "$(dirname "$0")/atspi-names.py" "$PROGRAM_TITLE" 2>"$WORK/atspi-py.log") || { cat "$WORK/atspi-py.log" >&2; fail "the program is not on the accessibility bus"; }
printf '%s\n' "$names" >"$WORK/names-alarm.txt"

expect() { # file name...
  local file=$1; shift
  for name in "$@"; do
    grep -qF -- "	$name" "$file" || fail "no control named \"$name\" on the accessibility bus"
  done
}
expect "$WORK/names-alarm.txt" "Current Date :" "Current Time :" "Hr:" "min:" "sec" "Duration" "Set Time" \
  "< Set Time >" "H" "M" "S" "Duration hours" "Duration minutes" "Duration seconds" "Alarm time hours" \
  "Alarm time minutes" "Alarm time seconds" "Set Alarm Date" \
  "Toggle between Duration AND Time Set" "Press after setting alarm criteria" "Stop Alarm Sound" \
  "Duration in sec" "Remaining sec" "Passed sec" "Remaining" "Passed" "Click to write a Reminder message" \
  "Select Alarm Sound" "[1] Leonardo Vinci Default" "[2] Jungle Asterisk" "[3] Inside Computer Asterisk" \
  "[4] Inside Computer Beep" "[5] Leonardo Vinci Restore" "[6] Musica Minimize" "[7] UnderWater Pop-up" \
  "[8] Select your own wav file" "Hide this screen" "Hide" "Exit" "Info about Meridane products"
# A list is named by what it shows (on Linux its label names it through a relation): today.
for today in "$(date +%-d)" "$(LANG=C date +%B)" "$(date +%Y)"; do
  grep -qxF "combo box	$today" "$WORK/names-alarm.txt" || fail "no date list showing $today"
done
echo "ok: the alarm window's controls are on the accessibility bus with their names"

click Image2
wait_for 5 xdotool search --onlyvisible --name "^ Program Informations$" || fail "no information window"
sleep 1
/usr/bin/python3 "$(dirname "$0")/atspi-names.py" "$PROGRAM_TITLE" >"$WORK/names-info.txt"
expect "$WORK/names-info.txt" " Program Informations" "Close" "Informations About programs and Authors" \
  "From Meridane" "Authors" "Homepages" "Meridane Chimewell" "Description" "About the authors" "Home pages" \
  "Our Hon. GUIDE" "Ilsa Marrowind" "Teodor Quell" "Portrait of Our Hon. GUIDE" "Swinging bell, frame 1" \
  "Picture of Meridane Chimewell" "Utility of Meridane Chimewell:"
echo "ok: the information window's controls are on the accessibility bus with their names"
kill "$APP_PID"

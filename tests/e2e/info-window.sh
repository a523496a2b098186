#!/usr/bin/env bash
# The information window opens from each of its four images, one window each time.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
start_app "$1"
info_windows() { xdotool search --onlyvisible --name "^ Program Informations$" 2>/dev/null | wc -l; }
for image in Image1_0 Image1_1 Image2 Image4; do
  click "$image"
  wait_for 5 output_is 1 info_windows || fail "$image did not open the information window"
  screenshot "journey-info-from-$image"
  info=$(xdotool search --onlyvisible --name "^ Program Informations$" | head -n1)
  geometry_of "$info"
  close=$(place_of in " Program Informations" "push button" Close)
  xdotool mousemove $((X + ${close% *})) $((Y + ${close#* })) click 1
  wait_for 3 output_is 0 info_windows || fail "Close did not hide the information window"
  echo "ok: $image opens the information window"
done
kill -0 "$APP_PID" || fail "the program ended"
kill "$APP_PID"

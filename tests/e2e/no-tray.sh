#!/usr/bin/env bash
# A desktop without a notification area: arming works, hiding is refused with its message,
# and a tray host that appears later gets the icon. Run with DESKTOP_TRAY=none.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
[ "$DESKTOP_TRAY" = none ] || fail "run with DESKTOP_TRAY=none"
start_app "$1"
type_into Text2_2 30
arm
click ImgHide
wait_box
[ "$BOX_TEXT" = "The window cannot be hidden now: there is no icon in the notification area to bring it back." ] \
  || fail "refusal: $BOX_TEXT"
answer_box Return
window_shown || fail "the window hid with no way back"
echo "ok: hiding refused without a notification area"

start_xembed_tray
wait_for 8 icon_docked || fail "the icon did not dock in the tray that came later"
screenshot fault-no-tray-late-icon
click ImgHide
wait_for 3 window_hidden || fail "Hide did not hide once the tray was there"
click_icon 1 2
wait_for 3 window_shown || fail "the icon did not bring the window back"
kill "$APP_PID"
echo "ok: a tray that appeared later got the icon"

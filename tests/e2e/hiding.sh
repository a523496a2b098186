#!/usr/bin/env bash
# Hiding by request and by the tray icon, showing again, and an alarm that rings while the
# window is hidden brings it back.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
start_app "$1"
click Label19
wait_box
[ "$BOX_TEXT" = "Hiding without time set is not allowed." ] || fail "refusal: $BOX_TEXT"
answer_box Return
mapped || fail "the window hid without a time set"
echo "ok: hiding refused before any time was set"

type_into Text2_2 8
arm
wait_for icon_docked 5 || fail "the icon did not dock"
click ImgHide
wait_for '! mapped' 3 || fail "Hide did not hide"
click_icon 1 2
wait_for mapped 3 || fail "a double-click on the icon did not show the window"
click_icon 1 2
wait_for '! mapped' 3 || fail "a double-click on the icon did not hide the window"
echo "ok: hidden by request, shown and hidden by the icon"
wait_for mapped 10 || fail "the ring did not bring the window back"
wait_for heard 2 || fail "the ring was not heard"
screenshot journey-hiding-back-at-ring
click Stopp
kill "$APP_PID"
echo "ok: the ring brought the hidden window back"

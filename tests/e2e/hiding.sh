#!/usr/bin/env bash
# Hiding by request and by the tray icon, showing again, and what the ring brings back, as the
# window manager holds it: a window hidden by the icon comes back minimized, one hidden by
# request comes back on screen.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
program=$1
start_app "$program"
click Label19
wait_box
[ "$BOX_TEXT" = "Hiding without time set is not allowed." ] || fail "refusal: $BOX_TEXT"
answer_box Return
window_shown || fail "the window hid without a time set"
echo "ok: hiding refused before any time was set"

type_into Text2_2 20
armed_at=$(now)
arm
wait_for 5 icon_docked || fail "the icon did not dock"
click ImgHide
wait_for 3 window_hidden || fail "Hide did not hide (WM_STATE $(wm_state))"
click_icon 1 2
wait_for 3 window_shown || fail "a double-click on the icon did not show the window (WM_STATE $(wm_state))"
click_icon 1 2
wait_for 3 window_hidden || fail "a double-click on the icon did not hide the window (WM_STATE $(wm_state))"
between 0 "$(now)" "$(plus "$armed_at" 18)" \
  || fail "the steps took too long to finish before the ring; the test proves nothing"
heard && fail "it rang before its time"
window_hidden || fail "the window came back before the ring"
echo "ok: hidden by request, shown and hidden by the icon"
wait_for 20 window_minimized || fail "the ring did not bring back the window minimized (WM_STATE $(wm_state), viewable: $(viewable && echo yes || echo no))"
wait_for 2 heard || fail "the ring was not heard"
sleep 1.2
window_minimized || fail "the ring's later ticks changed the minimized window (WM_STATE $(wm_state))"
screenshot journey-hiding-back-minimized
echo "ok: hidden by the icon, the ring brought the window back minimized"

# Minimized is out of sight: one double-click on the icon puts the ringing window on screen,
# and the ring's later ticks leave it there.
click_icon 1 2
wait_for 3 window_shown || fail "a double-click on the icon did not put the minimized window on screen (WM_STATE $(wm_state))"
sleep 1.2
window_shown || fail "the ring's later ticks took the window off the screen (WM_STATE $(wm_state))"
click Stopp
echo "ok: the icon put the minimized, ringing window on screen"

# Restored by the window manager (as from a task list) rather than by the program: a later
# Hide request still hides a normal window, and the ring brings it back on screen.
type_into Text2_2 3
arm
click_icon 1 2
wait_for 3 window_hidden || fail "a double-click on the icon did not hide the window (WM_STATE $(wm_state))"
wait_for 6 window_minimized || fail "the ring did not bring back the window minimized (WM_STATE $(wm_state))"
xdotool windowactivate "$APP_WINDOW"
wait_for 3 window_shown || fail "the window manager did not restore the window (WM_STATE $(wm_state))"
click Stopp
arm
click ImgHide
wait_for 3 window_hidden || fail "Hide did not hide (WM_STATE $(wm_state))"
wait_for 6 not window_hidden || fail "the ring did not bring back the window"
window_shown || fail "restored by the window manager, then hidden by request: the ring brought it back as $(wm_state), not on screen"
click Stopp
kill "$APP_PID"
echo "ok: restored by the window manager, then hidden by request, the ring brought it back on screen"

rm -f "$AUDIO_OUT"
start_app "$program"
type_into Text2_2 3
arm
wait_for 5 icon_docked || fail "the icon did not dock"
click ImgHide
wait_for 3 window_hidden || fail "Hide did not hide (WM_STATE $(wm_state))"
heard && fail "it rang before its time"
wait_for 6 window_shown || fail "the ring did not bring back the window hidden by request on screen (WM_STATE $(wm_state))"
screenshot journey-hiding-back-at-ring
click Stopp
kill "$APP_PID"
echo "ok: hidden by request, the ring brought the window back on screen"

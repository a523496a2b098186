#!/usr/bin/env bash
# On a StatusNotifierItem host the host's primary action stands for the double-click: a
# double-click on the icon hides the window and the next shows it, also where the host activates
# the item at every click (as KDE Plasma does: two activations 100 ms apart). Hide hides the
# window while the host is there, and is refused once it is gone. Run with DESKTOP_TRAY=sni.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
[ "$DESKTOP_TRAY" = sni ] || fail "run with DESKTOP_TRAY=sni"
start_app "$1"
arm
wait_for 5 sni_item_registered || fail "the icon was not registered with the host"
read -r icon_x icon_y <<<"$SNI_ICON_AT"
sleep 0.5

xdotool mousemove "$icon_x" "$icon_y" click --repeat 2 --delay 80 1
wait_for 3 not viewable || fail "a double-click on the host's icon did not hide the window"
sleep 1
window_shown && fail "the double-click hid the window and showed it again"
xdotool mousemove "$icon_x" "$icon_y" click --repeat 2 --delay 80 1
wait_for 3 window_shown || fail "the next double-click did not show the window"
echo "ok: the host's icon toggles once per double-click"

# As a host that activates at every click: two activations 100 ms apart.
sleep 1
activate_sni_item; sleep 0.1; activate_sni_item
wait_for 3 not viewable || fail "two activations did not hide the window"
sleep 1
window_shown && fail "the second activation of a double-click showed the window again"
activate_sni_item
wait_for 3 window_shown || fail "a single activation later did not show the window"
echo "ok: two activations of one double-click toggle the window once; a single one toggles it"

sleep 0.5 # as a user looks before a click: the window just came back, not yet drawn
click ImgHide
hidden_or_refused() { ! viewable || has_output xdotool search --onlyvisible --name "^$PROGRAM_TITLE$"; }
wait_for 3 hidden_or_refused || fail "Hide did not hide the window with the host there, nor say why"
if viewable; then wait_box; fail "Hide was refused with the host there: $BOX_TEXT"; fi
sleep 1 # the last activation is long past: this one is no double-click's second
activate_sni_item
wait_for 3 window_shown || fail "the host's icon did not bring back the window Hide hid"
click Stopp
echo "ok: Hide, answered by the host, hides the window"

# The StatusNotifierItem host gone and an XEmbed tray there instead: the icon, made for the
# host, shows nowhere, and nothing could bring a hidden window back.
start_xembed_tray
stop_sni_tray
click ImgHide
wait_box
[[ "$BOX_TEXT" == "The window cannot be hidden now"* ]] || fail "Hide without a host: $BOX_TEXT"
answer_box Return
window_shown || fail "the window hid with no host to bring it back"
kill "$APP_PID"
echo "ok: with the host gone (an XEmbed tray instead), Hide is refused"

#!/usr/bin/env bash
# The icon's menu on a StatusNotifierItem host (a desktop whose tray draws the menu itself):
# the right click shows the window's menu, its first row toggles the window and its last row
# ends the program. Run with DESKTOP_TRAY=sni.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
program=$1

[ "$DESKTOP_TRAY" = sni ] || fail "run with DESKTOP_TRAY=sni"

start_app_lingering "$program"
arm
wait_for 5 sni_item_registered || fail "the icon was not registered with the host"
read -r icon_x icon_y <<<"$SNI_ICON_AT"
# The host draws the menu in a window of its own once the icon is on its bar.
host_menu_open() { xdotool search --onlyvisible --pid "$(part_pid sni-host)" 2>/dev/null | wc -l; }
host_windows_more_than() { [ "$(host_menu_open)" -gt "$1" ]; }
bar_only=$(host_menu_open)
open_host_menu() {
  xdotool mousemove "$icon_x" "$icon_y" click 3
  wait_for 3 host_windows_more_than "$bar_only" || fail "the right click showed no menu"
  sleep "$MENU_READ_SECONDS"
}
wait_for 5 host_windows_more_than 0 || fail "the host's bar is not on screen"
open_host_menu
screenshot sni-menu
xdotool key Down Return
wait_for 3 window_hidden || fail "Show/ Hide Alarm Screen did not hide the window (WM_STATE $(wm_state))"
echo "ok: the host's menu hides the window"

open_host_menu
xdotool key Down Down Return
ending_began || fail "Close the Alarm Program did not end the program"
wait_for 1 not sni_item_registered || fail "the icon was still registered as the program ended"
still_alive || fail "the process ended before the host was asked; the check proves nothing"
expect_exit "Close the Alarm Program"
echo "ok: the host's menu ends the program; the icon went before the end"

#!/usr/bin/env bash
# Qt decides once per process whether its icon is an XEmbed one or a StatusNotifierItem. Started
# beside an XEmbed tray, with a StatusNotifierItem host coming later, the program's icon is an
# XEmbed one, and it acts as one: a single click does not toggle the window, a right click opens
# one menu.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
[ "$DESKTOP_TRAY" = xembed ] || fail "run with the XEmbed tray"
start_app "$1"
start_sni_tray
arm
wait_for 5 icon_docked || fail "the icon did not dock in the XEmbed tray"
sleep 0.5
click_icon 1
sleep 1
window_shown || fail "a single click on the XEmbed icon toggled the window"
windows_before=$(xdotool search --onlyvisible --pid "$APP_PID" | wc -l)
open_icon_menu
sleep 0.8 # time for a second menu, drawn by the host come late, to show
menus=$(( $(xdotool search --onlyvisible --pid "$APP_PID" | wc -l) - windows_before ))
screenshot late-sni-host-menu
[ "$menus" = 1 ] || fail "the right click showed $menus menus"
xdotool key Escape
click Stopp
kill "$APP_PID"
echo "ok: with a StatusNotifierItem host come late, the XEmbed icon opens one menu and a click toggles nothing"

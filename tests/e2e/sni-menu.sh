#!/usr/bin/env bash
# The icon's menu on a StatusNotifierItem host (a desktop whose tray draws the menu itself):
# the right click shows the window's menu, its first row toggles the window and its last row
# ends the program. Run inside with-desktop.sh; it starts its own session bus and host.
set -euo pipefail
source "$(dirname "$0")/../window/lib.sh"
program=$1

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
  exec dbus-run-session -- "$0" "$@"
fi
status-notifier-watcher >"$WORK/watcher.log" 2>&1 &
watcher=$!
wait_for 'dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher | grep -q "boolean true"' 10 \
  || fail "the StatusNotifierWatcher did not start"
gtk-sni-tray-standalone --bottom >"$WORK/host.log" 2>&1 &
host=$!
trap 'kill $watcher $host 2>/dev/null || true' EXIT
wait_for 'dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher string:IsStatusNotifierHostRegistered | grep -q "boolean true"' 10 \
  || fail "the StatusNotifierItem host did not register"

registered() {
  dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher string:RegisteredStatusNotifierItems \
    | grep -q 'string ":'
}

start_app "$program"
eval "$(xdotool getwindowgeometry --shell "$APP_WINDOW")"
xdotool mousemove $((X + 181)) $((Y + 235)) click 1   # OK
wait_for 'xdotool search --onlyvisible --name "^Meridane Chimewell$"' 5 || fail "no summary box"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Meridane Chimewell$' | head -n1)" key Return
wait_for registered 5 || fail "the icon was not registered with the host"
sleep 1

icon_x=14; icon_y=752   # the host's bar runs along the bottom edge, icons from the left
xdotool mousemove $icon_x $icon_y click 3
sleep 0.7
screenshot sni-menu
xdotool key Down Return
wait_for 'xwininfo -id "$APP_WINDOW" | grep -q IsUnMapped' 3 || fail "Show/ Hide Alarm Screen did not hide the window"
echo "ok: the host's menu hides the window"

xdotool mousemove $icon_x $icon_y click 3
sleep 0.7
xdotool key Down Down Return
for _ in $(seq 60); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.05; done
kill -0 "$APP_PID" 2>/dev/null && fail "Close the Alarm Program did not end the program"
wait "$APP_PID" || fail "the program ended with an error"
wait_for '! registered' 3 || fail "the icon stayed registered"
echo "ok: the host's menu ends the program and the icon goes"

#!/usr/bin/env bash
# While an alarm is armed, automatic suspend is held off through the first service the desktop
# has: logind (python-dbusmock's, on a system bus of the test's own) on a bare desktop, then the
# PowerManagement service (KDE Plasma's, Xfce's), then the GNOME session manager, both mocked
# on the session bus. The hold names the program and the due time, and goes at Stop.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
start_system_bus
inhibitors() {
  dbus-send --bus="$SYSTEM_BUS" --print-reply --dest=org.freedesktop.login1 /org/freedesktop/login1 \
    org.freedesktop.login1.Manager.ListInhibitors
}
logged() { grep -q -- "$2" "$WORK/$1.log" 2>/dev/null; }
mock() { # name path interface: a service of the session bus that logs its calls to $WORK/name.log
  /usr/bin/python3 -m dbusmock --session -l "$WORK/$1.log" "$1" "$2" "$3" >>"$WORK/mocks.log" 2>&1 &
  wait_for 10 bus_name_owned "$1" || fail "the mock of $1 did not start: $(cat "$WORK/mocks.log")"
  MOCK=("$1" "$2")
}
method() { # name in out code: added to the mock made last
  dbus-send --session --print-reply --dest="${MOCK[0]}" "${MOCK[1]}" org.freedesktop.DBus.Mock.AddMethod \
    string: "string:$1" "string:$2" "string:$3" "string:$4" >/dev/null
}
armed_until() { # seconds; sets DUE, the due time as the hold's reason gives it
  armed_kept_for "$1"
  DUE=$(date -d "@$DUE" +%H:%M:%S)
}

start_app env DBUS_SYSTEM_BUS_ADDRESS="$SYSTEM_BUS" "$1"
armed_until 600
held_by_logind() { inhibitors | grep -q "Alarm at $DUE"; }
wait_for 3 held_by_logind || fail "no lock held at logind for $DUE: $(inhibitors)"
for field in '"idle"' "\"$PROGRAM_TITLE\"" '"block"'; do
  inhibitors | grep -qF "$field" || fail "logind's lock lacks $field: $(inhibitors)"
done
click Stopp
wait_for 2 not held_by_logind || fail "the lock at logind outlived Stop by 2 s"
echo "ok: logind held an idle lock for the alarm at $DUE until Stop"

mock org.freedesktop.PowerManagement /org/freedesktop/PowerManagement/Inhibit org.freedesktop.PowerManagement.Inhibit
method Inhibit ss u "ret = 7"
method UnInhibit u "" ""
armed_until 600
wait_for 3 logged org.freedesktop.PowerManagement "Inhibit \"$PROGRAM_TITLE\" \"Alarm at $DUE\"" \
  || fail "PowerManagement was not asked: $(cat "$WORK/org.freedesktop.PowerManagement.log")"
held_by_logind && fail "logind was asked beside PowerManagement"
click Stopp
wait_for 2 logged org.freedesktop.PowerManagement "UnInhibit 7" || fail "PowerManagement's lock outlived Stop by 2 s"
echo "ok: PowerManagement held the lock when there"

mock org.gnome.SessionManager /org/gnome/SessionManager org.gnome.SessionManager
method Inhibit susu u "ret = 9"
method Uninhibit u "" ""
armed_until 600
wait_for 3 logged org.gnome.SessionManager "Inhibit \"$PROGRAM_TITLE\" 0 \"Alarm at $DUE\" 4" \
  || fail "the session manager was not asked for suspend (4): $(cat "$WORK/org.gnome.SessionManager.log")"
[ "$(grep -c " Inhibit " "$WORK/org.freedesktop.PowerManagement.log")" = 1 ] || fail "PowerManagement was asked beside it"
click Stopp
wait_for 2 logged org.gnome.SessionManager "Uninhibit 9" || fail "the session manager's lock outlived Stop by 2 s"
kill "$APP_PID"
echo "ok: the GNOME session manager held the lock when there"

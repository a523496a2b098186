#!/usr/bin/env bash
# The tray host killed and started again while an alarm is armed: the icon comes back and the
# alarm still rings.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
start_app "$1"
type_into Text2_2 8
arm
wait_for icon_docked 5 || fail "the icon did not dock"
stop_xembed_tray
wait_for '! icon_docked' 1 || fail "the icon outlived its tray"
start_xembed_tray
wait_for icon_docked 8 || fail "the icon did not come back to the restarted tray"
screenshot fault-tray-restarted
wait_for heard 10 || fail "the alarm did not ring"
click Stopp
kill "$APP_PID"
echo "ok: icon back after the tray restarted; the alarm rang"

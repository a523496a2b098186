#!/usr/bin/env bash
# The real program under a faked wall clock (libfaketime, TZ=Europe/Berlin): started five seconds
# before the year ends, its date display rolls from 31 December 2026 to 1 January 2027, read as
# a screen reader reads it. Run with DESKTOP_ATSPI=1.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
[ -n "${QT_LINUX_ACCESSIBILITY_ALWAYS_ON:-}" ] || fail "run with DESKTOP_ATSPI=1"
fake_clock_env "2026-12-31 23:59:55"
start_app env "${FAKE_CLOCK_ENV[@]}" "$1"
shows_label() { accessible_names | grep -qx $'label\t'"$1"; }
wait_for 3 shows_label "31 December 2026" || { accessible_names >&2; fail "the date display does not show 31 December 2026"; }
screenshot fake-clock-1-old-year
wait_for 8 shows_label "01 January 2027" || { accessible_names >&2; fail "the date display did not roll to 01 January 2027"; }
accessible_names | grep -q "label	31 December 2026" && fail "the old date is still shown beside the new"
screenshot fake-clock-2-new-year
kill "$APP_PID"
echo "ok: the date display rolled into 2027 under the faked clock"

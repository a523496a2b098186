#!/usr/bin/env bash
# A session bus that does not answer (its daemon stopped, as a hung one is) holds up nothing the
# user sees: the window maps within a second of the start, and once the bus answers again the
# icon comes to the XEmbed tray. With DESKTOP_TRAY=sni the StatusNotifierItem watcher is the one
# stopped instead, and the icon registers with it once it answers.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
case $DESKTOP_TRAY in
  xembed) frozen=session-bus icon_shown=icon_docked ;;
  sni) frozen=sni-watcher icon_shown=sni_item_registered ;;
  *) fail "run with DESKTOP_TRAY=xembed or sni" ;;
esac
# Where the controls are, read while the bus answers: a program started while it does not
# reaches the accessibility bus too late for the clicks below.
start_app "$1"
control_places
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
frozen_pid=$(part_pid "$frozen")
kill -STOP "$frozen_pid"
# Left stopped after a failure, it would hold up the desktop's own end by seconds.
trap 'kill -CONT "$frozen_pid" 2>/dev/null || true' EXIT

started=$(now)
start_app "$1"
between 0 "$(now)" "$(plus "$started" 1)" \
  || fail "with the $frozen stopped, the window was on screen $(seconds_between "$started" "$(now)") s after the start"
echo "ok: with the $frozen stopped, the window mapped within 1 s"

kill -CONT "$frozen_pid"
arm
wait_for 5 "$icon_shown" || fail "the $frozen answers again, and the icon did not come"
kill "$APP_PID"
echo "ok: once the $frozen answered, the icon came"

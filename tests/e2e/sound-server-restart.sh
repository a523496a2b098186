#!/usr/bin/env bash
# The sound server comes and goes, or hangs, as at an early login, after a crash or with a stuck
# daemon, and the program is heard whenever it is there: a first sound with no server is no
# matter, the program keeps no stream open once quiet, a server restarted between two alarms or
# during a ring hears the ring, and a server that hangs holds up neither the window nor Stop.
# Run with DESKTOP_SOUND=pulse or pipewire, and DESKTOP_ATSPI=1; on PipeWire the program speaks
# to it through SDL's own PipeWire driver, which says nothing when it loses the server.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
need_sound_server
[ -n "${QT_LINUX_ACCESSIBILITY_ALWAYS_ON:-}" ] || fail "run with DESKTOP_ATSPI=1"
driver=()
[ "$DESKTOP_SOUND" = pipewire ] && driver=(env SDL_AUDIODRIVER=pipewire)

stop_sound_server
start_app "${driver[@]}" "$1"
click_tone 1 # with no server: silent, and harmless
sleep 0.5
kill -0 "$APP_PID" || fail "the program ended when no sound server was there"
restart_sound_server
clicked=$(now)
click_tone 2
heard_first_after "$clicked" 3 | grep -q . || fail "a server that came after the first sound is not heard"
echo "ok: a server that started late is heard"

wait_for 6 not has_output sound_server_streams || fail "the program kept its stream open: $(sound_server_streams)"
echo "ok: no stream of the program a few seconds after its sound"

type_into Text2_2 3
arm
heard_first_after "$ARMED_AT" 6 | grep -q . || fail "the first alarm was not heard"
click Stopp
echo "ok: the first alarm heard"

restart_sound_server
arm
heard_first_after "$ARMED_AT" 6 | grep -q . || fail "the alarm after the server restarted was not heard"
echo "ok: the alarm after the server restarted is heard"

restart_sound_server
back=$(now)
again=$(heard_first_after "$back" 3) # never before the server is back: only the delay is measured
[ -n "$again" ] || fail "the ring was not heard again after the server restarted"
between 0 "$again" "$(plus "$back" 1)" || fail "the ring was heard again $(seconds_between "$back" "$again") s after the server came back"
echo "ok: the ring heard again $(seconds_between "$back" "$again") s after the server came back"

# Stopped, as a hung daemon behaves, before the ring opens its device: the ring begins and the
# clock goes on, as read through the accessibility bus, which the window thread answers.
click Stopp
wait_for 6 not has_output sound_server_streams || fail "the program kept its stream open: $(sound_server_streams)"
clock_shown() { accessible_names | grep -A3 -x 'label	Current Time :' | tail -n 3 | tr -d '\n'; }
server=$(part_pid sound-server)
kill -STOP "$server"
trap 'kill -CONT "$server" 2>/dev/null || true' EXIT
arm
wait_for 6 output_is 1 notifications_displayed || fail "the ring did not begin while the server hung"
before=$(clock_shown)
sleep 1.5
after=$(clock_shown)
screenshot journey-server-hung
{ [ -n "$after" ] && [ "$before" != "$after" ]; } || fail "the clock stood still while the server hung: '$before', then '$after'"
kill -CONT "$server"
resumed=$(now)
heard_first_after "$resumed" 3 | grep -q . || fail "the ring was not heard once the server went on"
echo "ok: the ring began and the window went on while the server hung, and it was heard once the server went on"

kill -STOP "$server"
click Stopp
wait_for 3 output_is 0 notifications_displayed || fail "Stop did not end the ring while the server hung"
kill -CONT "$server"
sleep 2
quiet_from=$(now)
sleep 1
[ -z "$(heard_first_after "$quiet_from")" ] || fail "the ring sounded on after Stop"
kill "$APP_PID"
echo "ok: Stop ended the ring while the server hung"

#!/usr/bin/env bash
# The sound server comes and goes, as at an early login or after a crash, and the program is
# heard whenever it is there: a first sound with no server is no matter, the program keeps no
# stream open once quiet, and a server restarted between two alarms hears the second.
# Run with DESKTOP_SOUND=pulse or pipewire.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
need_sound_server

stop_sound_server
start_app "$1"
click_tone 1 # with no server: silent, and harmless
sleep 0.5
kill -0 "$APP_PID" || fail "the program ended when no sound server was there"
restart_sound_server
clicked=$(now)
click_tone 2
wait_for 'heard_first_after "$clicked" | grep -q .' 3 || fail "a server that came after the first sound is not heard"
echo "ok: a server that started late is heard"

wait_for '[ -z "$(sound_server_streams)" ]' 6 || fail "the program kept its stream open: $(sound_server_streams)"
echo "ok: no stream of the program a few seconds after its sound"

type_into Text2_2 3
yes_at=$(now)
arm
wait_for 'heard_first_after "$yes_at" | grep -q .' 6 || fail "the first alarm was not heard"
click Stopp
echo "ok: the first alarm heard"

restart_sound_server
yes_at=$(now)
arm
wait_for 'heard_first_after "$yes_at" | grep -q .' 6 || fail "the alarm after the server restarted was not heard"
click Stopp
kill "$APP_PID"
echo "ok: the alarm after the server restarted is heard"

#!/usr/bin/env bash
# Measures the real program beside a floor (bench/floor: a minimal Qt 6 Widgets program doing
# the same everyday work) on a private desktop with a tray, and prints one table of medians.
#   bench/measure.sh [RUNS=5] [SECONDS=60]
# Start to first window mapped; resident and private dirty memory 10 s after start and 10 s after
# a tone's device grace; resident memory while ringing and 10 s after a ring was stopped; a
# tone's preview as the first sound; CPU and voluntary context switches per second (all threads)
# over SECONDS idle, counting down and after a ring. Once, on the sound server: the delay from the target
# second to the first sample heard over 20 date-and-time alarms, Stop to silence for a tone and
# for an own file, and the peak memory playing a one-hour own file.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${WORK:-}" ]; then
  cmake -S "$top" -B "$top/build" -Wno-dev >/dev/null
  cmake --build "$top/build" --parallel "$(nproc)" --target meridane-chimewell floor ringing_bench tone_bench >/dev/null
  IDENTITY=$top/build/generated/identity.sh DESKTOP_SOUND=pulse DESKTOP_ATSPI=1 \
    exec "$top/tests/window/with-desktop.sh" "$0" "$@"
fi
source "$top/tests/e2e/lib.sh"
runs=${1:-5}
span=${2:-60}
ticks=$(getconf CLK_TCK)

now_ms() { date +%s%3N; }
# A fresh recording of the sink: over minutes the recorder loses samples, and heard.py, counting
# back from the recording's end, would place earlier sounds too late.
fresh_recording() { stop_part sound-recorder; HEARD=$AUDIO_OUT record_sound_server; }
rss() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }
# What the program alone holds (its heap, the library pages it wrote): resident size also counts
# shared clean pages, which cost nothing and which the kernel reclaims.
private_dirty() { awk '/^Private_Dirty:/ {print $2}' "/proc/$1/smaps_rollup"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
switches() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ {s += $2} END {print s}'; }

# The program's window: the alarm's, or the floor's of the same size. The floor shows its tray
# icon first, and an icon embedded in the tray is a window of its process too.
main_window() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
    xdotool getwindowgeometry "$id" 2>/dev/null | grep -q "Geometry: $WINDOW_SIZE" && { echo "$id"; return 0; }
  done
  return 1
}

# Starts a program; STARTED_MS is the time until its window is mapped.
start_timed() {
  local t0
  t0=$(now_ms)
  "$@" >"$WORK/measured.log" 2>&1 &
  APP_PID=$!
  # shellcheck disable=SC2034 # lib.sh's clicks and waits read it
  until APP_WINDOW=$(main_window "$APP_PID"); do sleep 0.002; done
  STARTED_MS=$(( $(now_ms) - t0 ))
}

# Watches the running program for the span: CPU % of one core and wake-ups per second.
watch_span() {
  local c0 s0 c1 s1
  c0=$(cpu_ticks "$APP_PID"); s0=$(switches "$APP_PID")
  sleep "$span"
  c1=$(cpu_ticks "$APP_PID"); s1=$(switches "$APP_PID")
  awk -v c=$((c1 - c0)) -v s=$((s1 - s0)) -v t="$ticks" -v n="$span" 'BEGIN { printf "%.2f %.1f\n", 100 * c / t / n, s / n }'
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# A desktop's accessibility bus is running before any program starts; on this private desktop
# the bus would start on demand, and the first program measured would pay for it.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 || true

# The clicks find the controls on the accessibility bus, read once from a program with its
# bridge always on; the programs measured run as on a desktop without a screen reader, where Qt
# leaves its bridge off.
start_app "$top/build/meridane-chimewell"
control_places
kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true
unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON

declare -A results
record() { results[$1]+="$2 "; }

for run in $(seq "$runs"); do
  echo "run $run of $runs" >&2
  for who in alarm floor; do
    program="$top/build/meridane-chimewell"; [ "$who" = floor ] && program="$top/build/bench/floor"
    start_timed "$program"
    record "$who.start" "$STARTED_MS"
    sleep 10
    record "$who.rss" "$(rss "$APP_PID")"
    record "$who.dirty" "$(private_dirty "$APP_PID")"
    read -r cpu wake < <(watch_span)
    record "$who.cpu_idle" "$cpu"; record "$who.wake_idle" "$wake"
    if [ "$who" = alarm ]; then
      # A tone's preview, the program's first sound, then quiet again after the device's grace.
      fresh_recording
      clicked=$(now)
      click_tone 2
      wait_for 3 has_output heard_first_after "$clicked" \
        && record alarm.preview "$(seconds_between "$clicked" "$(heard_first_after "$clicked")")"
      sleep 13
      record alarm.rss_tone "$(rss "$APP_PID")"
      record alarm.dirty_tone "$(private_dirty "$APP_PID")"
      read -r cpu wake < <(watch_span)
      record alarm.wake_tone "$wake"
      type_into Text2_0 1          # an hour ahead: counting, not ringing
      arm
      read -r cpu wake < <(watch_span)
      record alarm.cpu_count "$cpu"; record alarm.wake_count "$wake"
      click Stopp
      type_into Text2_0 0
      type_into Text2_2 1
      arm
      sleep 10
      record alarm.rss_ring "$(rss "$APP_PID")"
      click Stopp
      sleep 10
      record alarm.rss_after "$(rss "$APP_PID")"
      read -r cpu wake < <(watch_span)
      record alarm.cpu_after "$cpu"; record alarm.wake_after "$wake"
    fi
    kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true
  done
done

# Once, as a user hears it: the sound server's monitor, read by tests/e2e/heard.py.
echo "date-and-time alarms, Stop and the own file" >&2
start_timed "$top/build/meridane-chimewell"
click Orr
delays=()
for alarm in $(seq 20); do
  fresh_recording
  target=$(( $(date +%s) + 4 ))
  type_into Text1_0 "$(date -d @"$target" +%-H)"
  type_into Text1_1 "$(date -d @"$target" +%-M)"
  type_into Text1_2 "$(date -d @"$target" +%-S)"
  arm
  wait_for 8 has_output heard_first_after "$target" || { echo "alarm $alarm was not heard" >&2; continue; }
  delays+=("$(seconds_between "$target" "$(heard_first_after "$target")")")
  click Stopp
  sleep 1
done
kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true
# Stop to silence: a tone ringing, then an own file of 20 s ringing.
stop_to_silence() { # type ('tone' or a file's path)
  fresh_recording
  start_timed "$top/build/meridane-chimewell"
  if [ "$1" != tone ]; then
    click_tone "$OWN_FILE_TONE"
    wait_file_dialog
    paste_text "$1"; xdotool key Return
    wait_for 5 file_dialog_closed
    sleep 0.5; click Stopp; sleep 0.5
  fi
  type_into Text2_2 1
  local yes_at stopped_at
  yes_at=$(now)
  arm
  wait_for 6 has_output heard_first_after "$yes_at" || return 1
  sleep 2
  stopped_at=$(now)
  click Stopp
  sleep 2
  seconds_between "$stopped_at" "$(heard_last)"
  kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true
}
sox -n -r 22050 -c 1 -b 16 "$WORK/twenty.wav" synth 20 sine 523 vol 0.5
stop_tone=$(stop_to_silence tone || echo "-")
stop_file=$(stop_to_silence "$WORK/twenty.wav" || echo "-")
# Peak memory previewing an hour of 8 kHz sound (silent: its data is zeros).
python3 - "$WORK/hour.wav" <<'PY'
import struct, sys
size = 8000 * 2 * 3600
with open(sys.argv[1], "wb") as f:
    f.write(b"RIFF" + struct.pack("<I", 36 + size) + b"WAVEfmt " + struct.pack("<IHHIIHH", 16, 1, 1, 8000, 16000, 2, 16))
    f.write(b"data" + struct.pack("<I", size))
    f.truncate(44 + size)
PY
start_timed "$top/build/meridane-chimewell"
sleep 2
hour_idle=$(awk '/VmHWM/ {print $2}' "/proc/$APP_PID/status")
click_tone "$OWN_FILE_TONE"
wait_file_dialog
paste_text "$WORK/hour.wav"; xdotool key Return
sleep 20
hour_peak=$(awk '/VmHWM/ {print $2}' "/proc/$APP_PID/status")
click Stopp
kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true

m() { tr ' ' '\n' <<<"${results[$1]}" | grep . | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf (b > 0 ? "%.2f" : "-"), a / b }'; }
printf '\n| measure (median of %d runs) | alarm | floor | alarm / floor |\n|---|---|---|---|\n' "$runs"
row() { printf '| %s | %s | %s | %s |\n' "$1" "$2" "$3" "$(ratio "$2" "$3")"; }
row "start to first window mapped (ms)" "$(m alarm.start)" "$(m floor.start)"
row "resident memory 10 s after start (KiB)" "$(m alarm.rss)" "$(m floor.rss)"
row "private dirty memory 10 s after start (KiB)" "$(m alarm.dirty)" "$(m floor.dirty)"
row "resident memory while ringing (KiB)" "$(m alarm.rss_ring)" "$(m floor.rss)"
row "CPU idle, ${span} s (% of one core)" "$(m alarm.cpu_idle)" "$(m floor.cpu_idle)"
row "CPU counting down, ${span} s (% of one core)" "$(m alarm.cpu_count)" "$(m floor.cpu_idle)"
row "wake-ups idle (voluntary switches/s)" "$(m alarm.wake_idle)" "$(m floor.wake_idle)"
row "wake-ups counting down (voluntary switches/s)" "$(m alarm.wake_count)" "$(m floor.wake_idle)"
row "resident memory 10 s after a ring was stopped (KiB)" "$(m alarm.rss_after)" "$(m floor.rss)"
row "CPU after a ring, ${span} s (% of one core)" "$(m alarm.cpu_after)" "$(m floor.cpu_idle)"
row "wake-ups after a ring (voluntary switches/s)" "$(m alarm.wake_after)" "$(m floor.wake_idle)"
printf '| resident memory 10 s after a tone'"'"'s grace, against before any sound (KiB) | %s | %s (before) | %s KiB |\n' \
  "$(m alarm.rss_tone)" "$(m alarm.rss)" "$(awk -v a="$(m alarm.rss_tone)" -v b="$(m alarm.rss)" 'BEGIN { printf "%+d", a - b }')"
printf '| private dirty memory 10 s after a tone'"'"'s grace, against before any sound (KiB) | %s | %s (before) | %s KiB |\n' \
  "$(m alarm.dirty_tone)" "$(m alarm.dirty)" "$(awk -v a="$(m alarm.dirty_tone)" -v b="$(m alarm.dirty)" 'BEGIN { printf "%+d", a - b }')"
printf '| wake-ups 10 s after a tone'"'"'s grace, against before any sound (voluntary switches/s) | %s | %s (before) | |\n' \
  "$(m alarm.wake_tone)" "$(m alarm.wake_idle)"
printf '| a tone'"'"'s preview as the first sound, click to first sample heard (s) | %s | | |\n' "$(m alarm.preview)"
echo
printf '| measure (once, on the sound server) | value |\n|---|---|\n'
printf '| target second to first sample heard, 20 date-and-time alarms: median / worst (s) | %s / %s |\n' \
  "$(printf '%s\n' "${delays[@]}" | median)" "$(printf '%s\n' "${delays[@]}" | sort -n | tail -n1)"
printf '| Stop to silence, a tone (s) | %s |\n' "$stop_tone"
printf '| Stop to silence, an own file (s) | %s |\n' "$stop_file"
printf '| peak memory previewing a one-hour own file, 20 s (KiB) | %s (idle peak %s) |\n' "$hour_peak" "$hour_idle"
echo
"$top/build/bench/ringing_bench" --benchmark_filter=RingingTickAndRefresh 2>/dev/null | grep -E '^Ringing'
SDL_AUDIODRIVER=dummy "$top/build/bench/tone_bench" --benchmark_filter='PlayResourceSound/10[04]' 2>/dev/null | grep -E '^PlayResource'

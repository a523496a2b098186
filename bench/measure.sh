#!/usr/bin/env bash
# Measures the real program beside a floor (bench/floor: a minimal Qt 6 Widgets program doing
# the same everyday work) on a private desktop with a tray, and prints one table of medians.
#   bench/measure.sh [RUNS=5] [SECONDS=60]
# Start to first window mapped; resident memory 10 s after start and while ringing; CPU over
# SECONDS idle and counting down; voluntary context switches per second (all threads).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${WORK:-}" ]; then
  cmake -S "$top" -B "$top/build" -Wno-dev >/dev/null
  cmake --build "$top/build" --parallel "$(nproc)" --target meridane-chimewell floor ringing_bench tone_bench >/dev/null
  exec "$top/tests/window/with-desktop.sh" "$0" "$@"
fi
source "$top/tests/e2e/lib.sh"
runs=${1:-5}
span=${2:-60}
ticks=$(getconf CLK_TCK)

now_ms() { date +%s%3N; }
rss() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
switches() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ {s += $2} END {print s}'; }

# Starts a program; STARTED_MS is the time until its first window is mapped.
start_timed() {
  local t0
  t0=$(now_ms)
  "$@" >"$WORK/measured.log" 2>&1 &
  APP_PID=$!
  until xdotool search --onlyvisible --pid "$APP_PID" >/dev/null 2>&1; do sleep 0.002; done
  STARTED_MS=$(( $(now_ms) - t0 ))
  APP_WINDOW=$(xdotool search --onlyvisible --pid "$APP_PID" | head -n1)
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
    read -r cpu wake < <(watch_span)
    record "$who.cpu_idle" "$cpu"; record "$who.wake_idle" "$wake"
    if [ "$who" = alarm ]; then
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
    fi
    kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true
  done
done

m() { tr ' ' '\n' <<<"${results[$1]}" | grep . | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf (b > 0 ? "%.2f" : "-"), a / b }'; }
printf '\n| measure (median of %d runs) | alarm | floor | alarm / floor |\n|---|---|---|---|\n' "$runs"
row() { printf '| %s | %s | %s | %s |\n' "$1" "$2" "$3" "$(ratio "$2" "$3")"; }
row "start to first window mapped (ms)" "$(m alarm.start)" "$(m floor.start)"
row "resident memory 10 s after start (KiB)" "$(m alarm.rss)" "$(m floor.rss)"
row "resident memory while ringing (KiB)" "$(m alarm.rss_ring)" "$(m floor.rss)"
row "CPU idle, ${span} s (% of one core)" "$(m alarm.cpu_idle)" "$(m floor.cpu_idle)"
row "CPU counting down, ${span} s (% of one core)" "$(m alarm.cpu_count)" "$(m floor.cpu_idle)"
row "wake-ups idle (voluntary switches/s)" "$(m alarm.wake_idle)" "$(m floor.wake_idle)"
row "wake-ups counting down (voluntary switches/s)" "$(m alarm.wake_count)" "$(m floor.wake_idle)"
echo
"$top/build/bench/ringing_bench" --benchmark_filter=RingingTickAndRefresh 2>/dev/null | grep -E '^Ringing'
SDL_AUDIODRIVER=dummy "$top/build/bench/tone_bench" --benchmark_filter='PlayResourceSound/10[04]' 2>/dev/null | grep -E '^PlayResource'

#!/usr/bin/env bash
# Runs a command on a private X server with a tray host, as a user's desktop would be:
#   with-desktop.sh COMMAND [ARGS...]
# It gives the command DISPLAY, SDL's disk audio driver writing to $AUDIO_OUT, and $WORK,
# a scratch folder. Anything that cannot start is a failure, never a skip.
set -euo pipefail

die() { echo "with-desktop: $*" >&2; exit 1; }
for tool in Xvfb xdpyinfo trayer xdotool import; do
  command -v "$tool" >/dev/null || die "$tool is not installed (run ./test.sh, which installs it)"
done

WORK=$(mktemp -d /tmp/chimewell-desktop.XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# Tests run side by side, each on a display of its own: pick a free number, and make sure the
# server that answers there is ours (its lock file names it), not one that won a race for it.
start_x() {
  local number=$(( 100 + RANDOM % 800 ))
  [ -e "/tmp/.X$number-lock" ] && return 1
  Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp 2>"$WORK/xvfb.log" &
  xvfb_pid=$!
  export DISPLAY=":$number"
  for _ in $(seq 200); do
    kill -0 "$xvfb_pid" 2>/dev/null || return 1
    if [ "$(tr -d ' \n' <"/tmp/.X$number-lock" 2>/dev/null)" = "$xvfb_pid" ] && xdpyinfo >/dev/null 2>&1; then
      return 0
    fi
    sleep 0.05
  done
  return 1
}
started=
xvfb_pid=
for attempt in $(seq 10); do
  if start_x; then started=1; break; fi
  kill "$xvfb_pid" 2>/dev/null || true
  sleep "0.$((RANDOM % 5 + 1))"
done
[ -n "$started" ] || die "Xvfb did not start: $(cat "$WORK/xvfb.log")"
pids+=("$xvfb_pid")

TRAYER_COMMAND="trayer --edge bottom --align right --widthtype request --height 32 --transparent false"
# The tray host; a machine under load can be slow to map its panel, so allow it time and a retry.
start_tray() {
  $TRAYER_COMMAND >"$WORK/trayer.log" 2>&1 &
  tray_pid=$!
  for _ in $(seq 300); do
    xdotool search --classname panel >/dev/null 2>&1 && return 0
    kill -0 "$tray_pid" 2>/dev/null || return 1
    sleep 0.05
  done
  return 1
}
# NO_TRAY=1 gives a desktop without a notification area (a test may start one later).
if [ -z "${NO_TRAY:-}" ]; then
  if ! start_tray; then
    kill "$tray_pid" 2>/dev/null || true
    start_tray || die "trayer did not start: $(cat "$WORK/trayer.log")"
  fi
  pids+=("$tray_pid")
fi
export TRAYER_COMMAND TRAY_PID="${tray_pid:-}"

export WORK
export SDL_AUDIODRIVER=disk
export AUDIO_OUT="$WORK/audio.raw"
export SDL_DISKAUDIOFILE="$AUDIO_OUT"
export TZ="${TZ:-Europe/Berlin}"
export LANG="${LANG_UNDER_TEST:-C}"
unset LC_ALL LANGUAGE WAYLAND_DISPLAY QT_QPA_PLATFORM
mkdir -p "${SCREENSHOTS:-$WORK/screenshots}"

"$@"

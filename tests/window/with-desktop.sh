#!/usr/bin/env bash
# Runs a command on a private whole desktop, as a user's would be:
#   with-desktop.sh COMMAND [ARGS...]
# Its own X server, session bus, window manager (openbox), notification area and sound, all
# ended with it. The test chooses with:
#   DESKTOP_WM     openbox (default) | none
#   DESKTOP_TRAY   xembed (default: trayer) | sni (a StatusNotifierItem host) | both | none
#   DESKTOP_SOUND  disk (default: SDL's disk driver writing every sample to $AUDIO_OUT)
#                  | pulse (a PulseAudio server with a null sink; what it played is recorded in
#                    $AUDIO_OUT, from the wall-clock moment $HEARD_T0) | none (no sound server)
#   DESKTOP_ATSPI  1 for the accessibility bus
# The command gets DISPLAY, DBUS_SESSION_BUS_ADDRESS, XDG_RUNTIME_DIR and $WORK, a scratch
# folder; tests/window/desktop.sh has what starts and stops each part later. Anything that
# cannot start is a failure, never a skip.
set -euo pipefail

die() { echo "with-desktop: $*" >&2; exit 1; }
for tool in Xvfb xdpyinfo xprop trayer xdotool import dbus-daemon openbox pulseaudio parec; do
  command -v "$tool" >/dev/null || die "$tool is not installed (run ./test.sh, which installs it)"
done

WORK=$(mktemp -d /tmp/chimewell-desktop.XXXXXX)
export WORK
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
cleanup() {
  stop_all_parts
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# Only this desktop: nothing of the caller's session leaks in.
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS PULSE_SERVER WAYLAND_DISPLAY QT_QPA_PLATFORM \
  SDL_AUDIODRIVER SDL_DISKAUDIOFILE LC_ALL LANGUAGE SESSION_MANAGER
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Tests run side by side, each on a display of its own: pick a free number, and make sure the
# server that answers there is ours (its lock file names it), not one that won a race for it.
start_x() {
  local number=$(( 100 + RANDOM % 800 ))
  [ -e "/tmp/.X$number-lock" ] && return 1
  # -noreset: the server would otherwise reset whenever its last client leaves, refusing the next.
  Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -noreset 2>"$WORK/xvfb.log" &
  xvfb_pid=$!
  export DISPLAY=":$number"
  for _ in $(seq 200); do
    kill -0 "$xvfb_pid" 2>/dev/null || return 1
    if [ -e "/tmp/.X$number-lock" ] && [ "$(tr -d ' \n' <"/tmp/.X$number-lock")" = "$xvfb_pid" ] \
      && xdpyinfo >/dev/null 2>&1; then
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
remember_part x-server "$xvfb_pid"

start_session_bus
[ "${DESKTOP_ATSPI:-}" = 1 ] && start_accessibility_bus
case "${DESKTOP_WM:-openbox}" in
  openbox) start_window_manager ;;
  none) ;;
  *) die "DESKTOP_WM is openbox or none, not $DESKTOP_WM" ;;
esac
case "${DESKTOP_TRAY:-xembed}" in
  xembed) start_xembed_tray ;;
  sni) start_sni_tray ;;
  both) start_xembed_tray; start_sni_tray ;;
  none) ;;
  *) die "DESKTOP_TRAY is xembed, sni, both or none, not $DESKTOP_TRAY" ;;
esac
export TRAYER_COMMAND

export AUDIO_OUT="$WORK/audio.raw"
case "${DESKTOP_SOUND:-disk}" in
  disk) export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$AUDIO_OUT" ;;
  # SDL picks the driver itself, as on a user's desktop; it finds the server through PULSE_SERVER.
  pulse) start_sound_server; HEARD=$AUDIO_OUT record_sound_server ;;
  none) ;;
  *) die "DESKTOP_SOUND is disk, pulse or none, not $DESKTOP_SOUND" ;;
esac
export DESKTOP_SOUND="${DESKTOP_SOUND:-disk}" DESKTOP_TRAY="${DESKTOP_TRAY:-xembed}"

export TZ="${TZ:-Europe/Berlin}"
export LANG="${LANG_UNDER_TEST:-C}"
mkdir -p "${SCREENSHOTS:-$WORK/screenshots}"

"$@"

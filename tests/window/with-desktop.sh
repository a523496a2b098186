#!/usr/bin/env bash
# Runs a command on a private whole desktop, as a user's would be:
#   with-desktop.sh COMMAND [ARGS...]
# Its own display, session bus, window manager, notification area and sound, all ended with it.
# The test chooses with:
#   DESKTOP_SESSION  x11 (default: an X server, Xvfb) | sway (native Wayland: headless sway,
#                    waybar's tray, mako for notifications; the command gets WAYLAND_DISPLAY,
#                    SWAYSOCK and QT_QPA_PLATFORM=wayland, and no DISPLAY)
#                  | gnome (native Wayland: GNOME Shell 43 headless, its notifications; the command
#                    gets WAYLAND_DISPLAY, QT_QPA_PLATFORM=wayland, XDG_CURRENT_DESKTOP=GNOME and
#                    no DISPLAY; tests/e2e/gnome-shell.py reads and drives it)
#   DESKTOP_INSTALL under gnome: a build folder, installed in $WORK/prefix before the shell starts
#                  so that it knows the program as an installed application (see window/gnome.sh)
#   DESKTOP_WM     openbox (default) | xfwm4 (Xfce's) | kwin (KDE Plasma's): the last two focus
#                  windows as they map | none; X11 only
#   DESKTOP_TRAY   xembed (default: trayer) | sni (a StatusNotifierItem host) | both | none;
#                  under sway: sni (waybar's tray, the default there) | none; GNOME has none
#   DESKTOP_SOUND  disk (default: SDL's disk driver writing every sample to $AUDIO_OUT)
#                  | pulse (a PulseAudio server) | pipewire (PipeWire, wireplumber and
#                    pipewire-pulse), each with a null sink; what it played is recorded in
#                    $AUDIO_OUT, from the wall-clock moment $HEARD_T0 | none (no sound server)
#   DESKTOP_NOTIFY dunst (default: a notification daemon) | none; X11 only (sway has mako,
#                  GNOME its own)
#   DESKTOP_ATSPI  1 for the accessibility bus
# The command gets DISPLAY (or WAYLAND_DISPLAY), DBUS_SESSION_BUS_ADDRESS, XDG_RUNTIME_DIR and
# $WORK, a scratch folder; tests/window/desktop.sh has what starts and stops each part later.
# Anything that cannot start is a failure, never a skip.
set -euo pipefail
# Debian's own tools first: a per-user shim found earlier on a developer's PATH (a Python version
# manager's costs a third of a second a call, and the tests call python3 in their polls) would
# slow every poll and could hide the packages ./test.sh installed, such as python3-pyatspi.
export PATH="/usr/sbin:/usr/bin:/sbin:/bin:$PATH"

die() { echo "with-desktop: $*" >&2; exit 1; }
export DESKTOP_SESSION="${DESKTOP_SESSION:-x11}" DESKTOP_SOUND="${DESKTOP_SOUND:-disk}"
tools=(dbus-daemon)
case "$DESKTOP_SESSION" in
  x11) tools+=(Xvfb xdpyinfo xprop trayer xdotool import dunst dunstctl)
    case "${DESKTOP_WM:-openbox}" in none) ;; kwin) tools+=(kwin_x11) ;; *) tools+=("${DESKTOP_WM:-openbox}") ;; esac ;;
  sway) tools+=(sway swaymsg waybar mako makoctl busctl wtype grim foot jq setpriv) ;;
  gnome) tools+=(gnome-shell gjs setsid unshare foot jq)
    [ -z "${DESKTOP_INSTALL:-}" ] || tools+=(cmake) ;;
  *) die "DESKTOP_SESSION is x11, sway or gnome, not $DESKTOP_SESSION" ;;
esac
case "$DESKTOP_SOUND" in
  pulse) tools+=(pulseaudio pactl parec) ;;
  pipewire) tools+=(pipewire wireplumber pipewire-pulse pactl parec) ;;
esac
for tool in "${tools[@]}"; do
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
# What a program keeps for its next start (an armed alarm, an autostart entry) stays here.
export XDG_STATE_HOME="$WORK/state" XDG_CONFIG_HOME="$WORK/config"

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
start_x_server() {
  xvfb_pid=
  for _ in $(seq 10); do
    if start_x; then remember_part x-server "$xvfb_pid"; return 0; fi
    kill "$xvfb_pid" 2>/dev/null || true
    sleep "0.$((RANDOM % 5 + 1))"
  done
  die "Xvfb did not start: $(cat "$WORK/xvfb.log")"
}
start_x_desktop() {
  start_x_server
  start_session_bus
  [ "${DESKTOP_ATSPI:-}" = 1 ] && start_accessibility_bus
  case "${DESKTOP_WM:-openbox}" in
    openbox|xfwm4|kwin) start_window_manager ;;
    none) ;;
    *) die "DESKTOP_WM is openbox, xfwm4, kwin or none, not $DESKTOP_WM" ;;
  esac
  case "${DESKTOP_TRAY:-xembed}" in
    xembed) start_xembed_tray ;;
    sni) start_sni_tray ;;
    both) start_xembed_tray; start_sni_tray ;;
    none) ;;
    *) die "DESKTOP_TRAY is xembed, sni, both or none, not $DESKTOP_TRAY" ;;
  esac
  export DESKTOP_TRAY="${DESKTOP_TRAY:-xembed}"
  case "${DESKTOP_NOTIFY:-dunst}" in
    dunst) start_notification_daemon ;;
    none) ;;
    *) die "DESKTOP_NOTIFY is dunst or none, not $DESKTOP_NOTIFY" ;;
  esac
}
start_sway_desktop() {
  start_session_bus
  start_sway
  [ "${DESKTOP_ATSPI:-}" = 1 ] && start_accessibility_bus
  case "${DESKTOP_TRAY:-sni}" in
    sni) start_waybar ;;
    none) ;;
    *) die "DESKTOP_TRAY under sway is sni or none, not $DESKTOP_TRAY" ;;
  esac
  start_mako
  start_keyboard
  export DESKTOP_TRAY="${DESKTOP_TRAY:-sni}"
}
case "$DESKTOP_SESSION" in
  x11) start_x_desktop ;;
  sway) start_sway_desktop ;;
  gnome) start_gnome_desktop ;;
esac
export TRAYER_COMMAND

export AUDIO_OUT="$WORK/audio.raw"
case "$DESKTOP_SOUND" in
  disk) export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$AUDIO_OUT" ;;
  # SDL picks the driver itself, as on a user's desktop.
  pulse|pipewire) restart_sound_server ;;
  none) ;;
  *) die "DESKTOP_SOUND is disk, pulse, pipewire or none, not $DESKTOP_SOUND" ;;
esac

export TZ="${TZ:-Europe/Berlin}"
export LANG="${LANG_UNDER_TEST:-C}"
mkdir -p "${SCREENSHOTS:-$WORK/screenshots}"

"$@"

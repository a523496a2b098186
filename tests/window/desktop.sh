# shellcheck shell=bash disable=SC2034 # the tests read the names set here
# The parts of a private desktop, each started and stopped on its own so that a test can start
# one late or restart it while the program runs. Sourced by with-desktop.sh and by the tests'
# helpers; needs $WORK. Every background process is remembered in $WORK/pids/NAME and ended
# by stop_part NAME, or by stop_all_parts when the desktop closes.

desktop_die() { echo "desktop: $*" >&2; exit 1; }
# A command that fails under set -e ends the script where it stands, without a word: say which.
set -E
trap 'echo "FAIL: ${BASH_SOURCE[0]##*/} line $LINENO: $BASH_COMMAND (status $?)" >&2' ERR

# A pause that starts no process (a process costs milliseconds of CPU here, and several tests
# poll side by side): a read, with a time limit, from a pipe nobody writes to.
[ -p "$WORK/pause" ] || mkfifo "$WORK/pause"
exec {pause_pipe}<>"$WORK/pause"
pause() { read -r -t "$1" -u "$pause_pipe" _ || true; }

# desktop_wait SECONDS COMMAND [ARGS...]: runs the command every 50 ms until it succeeds, for
# at most the seconds given. The command is run, not evaluated: what must be read afresh at each
# try is read inside a function, and the checks below say the common ones.
desktop_wait() {
  local seconds=$1 tries
  shift
  for ((tries = seconds * 20; tries > 0; tries--)); do
    "$@" >/dev/null 2>&1 && return 0
    pause 0.05
  done
  return 1
}
not() { ! "$@"; }
has_output() { [ -n "$("$@" 2>/dev/null)" ]; }
output_is() { [ "$("${@:2}" 2>/dev/null)" = "$1" ]; } # VALUE COMMAND [ARGS...]

remember_part() { mkdir -p "$WORK/pids"; echo "$2" >"$WORK/pids/$1"; }
part_pid() { cat "$WORK/pids/$1" 2>/dev/null; }
# A process that ended but was not yet waited for is a zombie, which kill -0 still finds. A
# daemon's parent is init, which can take seconds to reap it: it ended all the same.
pid_running() {
  local stat
  kill -0 "$1" 2>/dev/null && read -r stat 2>/dev/null <"/proc/$1/stat" && [[ $stat != *") Z "* ]]
}
part_running() { local pid; pid=$(part_pid "$1") && pid_running "$pid"; }
stop_part() {
  local pid tries
  pid=$(part_pid "$1") || return 0
  kill "$pid" 2>/dev/null || true
  for ((tries = 60; tries > 0; tries--)); do pid_running "$pid" || break; pause 0.05; done
  kill -9 "$pid" 2>/dev/null || true
  rm -f "$WORK/pids/$1"
}
stop_all_parts() {
  local file
  # Newest first: the tray and the recorder go before the bus and the X server they use.
  # shellcheck disable=SC2045 # the names are ours, one word each; ls orders them by age
  for file in $(ls -t "$WORK/pids" 2>/dev/null); do stop_part "$file"; done
  [ -z "${DESKTOP_TAG:-}" ] || stop_tagged
}
# What a desktop started on its own, no part of ours (a service the bus started, a helper of the
# shell's), carries DESKTOP_TAG in its environment: nothing of it outlives the desktop. This
# shell and those it runs in carry it too, and stay.
stop_tagged() {
  local pid keep=" $$ $BASHPID " up=$BASHPID
  while [ "${up:-0}" -gt 1 ]; do up=$(awk '/^PPid:/ { print $2 }' "/proc/$up/status" 2>/dev/null || true); keep+="$up "; done
  for pid in $({ grep -lsxz "DESKTOP_TAG=$DESKTOP_TAG" /proc/[0-9]*/environ || true; } | cut -d/ -f3); do
    [[ $keep == *" $pid "* ]] || kill -9 "$pid" 2>/dev/null || true
  done
}

# A private bus (session or system), never the caller's, listening at $WORK/TYPE-bus. A bus
# admits only its own user unless told: the parts of a Wayland desktop run as another user than
# the program (see desktop_user_part). It starts no service of the machine's on demand, only
# those in $WORK/bus-services: the desktop is what the test started, not whichever notification
# daemon or accessibility bus happens to be installed.
start_bus() { # session|system
  local pid
  mkdir -p "$WORK/bus-services"
  cat >"$WORK/$1-bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>$1</type>
  <listen>unix:path=$WORK/$1-bus</listen>
  <auth>EXTERNAL</auth>
  <servicedir>$WORK/bus-services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow receive_sender="*"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
    <allow user="*"/>
  </policy>
</busconfig>
CONF
  pid=$(dbus-daemon --config-file="$WORK/$1-bus.conf" --fork --nopidfile \
    --print-pid=1 2>"$WORK/$1-bus.log") \
    || desktop_die "the $1 bus did not start: $(cat "$WORK/$1-bus.log")"
  remember_part "$1-bus" "$pid"
}
start_session_bus() {
  start_bus session
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/session-bus"
}

# A system bus of the test's own, with python-dbusmock's logind on it; its address in SYSTEM_BUS.
start_system_bus() {
  start_bus system
  SYSTEM_BUS="unix:path=$WORK/system-bus"
  DBUS_SYSTEM_BUS_ADDRESS=$SYSTEM_BUS /usr/bin/python3 -m dbusmock --system --template logind \
    >>"$WORK/logind.log" 2>&1 &
  remember_part logind $!
  # Asked as bus_name_owned asks the session bus: a client sees no difference.
  login1_owned() { DBUS_SESSION_BUS_ADDRESS=$SYSTEM_BUS bus_name_owned org.freedesktop.login1; }
  desktop_wait 10 login1_owned \
    || desktop_die "logind's stand-in did not start: $(cat "$WORK/logind.log")"
}

bus_name_owned() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner "string:$1" \
    | grep -q "boolean true"
}

# The accessibility bus, as a desktop with a screen reader has it.
start_accessibility_bus() {
  local launcher=
  for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate && break
  done
  [ -n "$launcher" ] || desktop_die "at-spi-bus-launcher is not installed"
  "$launcher" --launch-immediately >"$WORK/atspi.log" 2>&1 &
  remember_part accessibility-bus $!
  desktop_wait 10 bus_name_owned org.a11y.Bus || desktop_die "the accessibility bus did not start"
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
}

# The window manager DESKTOP_WM names: openbox, a small one that follows the standards
# (WM_STATE, _NET_WM_STATE, focus), or xfwm4 (Xfce's) or KWin (KDE Plasma's), which focus every
# window as it maps unless told the user did not ask for it.
wm_command() {
  case "${DESKTOP_WM:-openbox}" in
    openbox) echo "openbox --sm-disable" ;;
    xfwm4) echo "xfwm4 --compositor=off --sm-client-disable" ;;
    # Its focus stealing prevention off, as the user may have set it: only the window's own
    # word (a user time of 0) keeps a window that maps from taking the focus.
    kwin) mkdir -p "$WORK/kwin-config"
      printf '[Windows]\nFocusStealingPreventionLevel=0\n' >"$WORK/kwin-config/kwinrc"
      echo "env XDG_CONFIG_HOME=$WORK/kwin-config KWIN_COMPOSE=N kwin_x11" ;;
  esac
}
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
# Ready once it manages a window: a probe window it must frame and give a WM_STATE. Now and
# then a manager that has just started let a probe's map request pass unanswered (seen under
# load); asking again, once a second, shows whether it manages windows mapped from then on.
wm_manages_probe() {
  local probe
  probe=$(xdotool search --name '^wm-probe$' 2>/dev/null | head -n1)
  [ -n "$probe" ] || return 1
  xprop -id "$probe" WM_STATE 2>/dev/null | grep -q 'window state: Normal' && return 0
  WM_PROBE_POLLS=$(( ${WM_PROBE_POLLS:-0} + 1 ))
  if [ $((WM_PROBE_POLLS % 20)) = 0 ]; then
    echo "asked again to map probe $probe" >>"$WORK/wm-probe.log"
    xdotool windowmap "$probe" 2>/dev/null || true
  fi
  return 1
}
# What a start that failed left behind, for the failure's message.
wm_report() {
  local wm ended=0
  wm=$(part_pid window-manager)
  echo "attempt $1: $2"
  xdotool search --name '^wm-probe$' 2>/dev/null | while read -r w; do
    echo "probe $w: $(xprop -id "$w" WM_STATE | head -n1); $(xwininfo -id "$w" | grep 'Map State')"
  done || true
  if part_running window-manager; then
    echo "${DESKTOP_WM:-openbox} running: state $(cut -d' ' -f3 "/proc/$wm/stat" 2>/dev/null), waiting in $(cat "/proc/$wm/wchan" 2>/dev/null)," \
      "cpu ticks $(cut -d' ' -f14,15 "/proc/$wm/stat" 2>/dev/null), load $(cat /proc/loadavg)," \
      "threads $(find "/proc/$wm/task" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l); kernel stack: $(tr '\n' ' ' <"/proc/$wm/stack" 2>/dev/null)"
  else
    wait "$wm" 2>/dev/null || ended=$?
    echo "${DESKTOP_WM:-openbox} ended with status $ended"
  fi
}
start_window_manager() {
  local attempt probe
  # A machine under load can leave a first start unable to manage windows: allow it time and
  # two more starts, and keep what each saw for the failure's message.
  : >"$WORK/wm-probe.log"
  for attempt in 1 2 3; do
    # shellcheck disable=SC2046,SC2091 # the command's words, run
    $(wm_command) >>"$WORK/wm.log" 2>&1 &
    remember_part window-manager $!
    if desktop_wait 10 wm_ready; then
      xmessage -name wm-probe -title wm-probe probe >>"$WORK/wm-probe.log" 2>&1 &
      probe=$!
      desktop_wait 15 wm_manages_probe && { kill "$probe"; wait "$probe" 2>/dev/null || true; return 0; }
      wm_report "$attempt" "the probe window was not managed" >>"$WORK/wm-probe.log" 2>&1
      kill "$probe" 2>/dev/null || true; wait "$probe" 2>/dev/null || true
    else
      wm_report "$attempt" "no check window on the root" >>"$WORK/wm-probe.log" 2>&1
    fi
    stop_part window-manager
    # The next start is ready only once it has set its own check window, not the last one's.
    xprop -root -remove _NET_SUPPORTING_WM_CHECK 2>/dev/null || true
  done
  desktop_die "${DESKTOP_WM:-openbox} does not manage windows: $(cat "$WORK/wm.log" "$WORK/wm-probe.log")"
}

# An XEmbed notification area (trayer), along the bottom right.
TRAYER_COMMAND="trayer --edge bottom --align right --widthtype request --height 32 --transparent false"
xembed_tray_panel() { xdotool search --classname panel 2>/dev/null | head -n1; }
start_xembed_tray() {
  local attempt
  # A machine under load can be slow to map the panel: allow it time and a retry.
  for attempt in 1 2; do
    $TRAYER_COMMAND >>"$WORK/trayer.log" 2>&1 &
    remember_part xembed-tray $!
    xembed_tray_or_its_end() { has_output xembed_tray_panel || ! part_running xembed-tray; }
    desktop_wait 15 xembed_tray_or_its_end
    xembed_tray_panel | grep -q . && return 0
    stop_part xembed-tray
  done
  desktop_die "trayer did not start: $(cat "$WORK/trayer.log")"
}
stop_xembed_tray() {
  stop_part xembed-tray
  desktop_wait 5 not has_output xembed_tray_panel || desktop_die "the XEmbed tray did not go"
}

# A StatusNotifierItem host: the watcher on the session bus and a bar that draws the items
# along the bottom left (its menus drawn by the host, as KDE and GNOME's extension do).
sni_watcher_property() {
  dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher "string:$1"
}
sni_host_registered() { sni_watcher_property IsStatusNotifierHostRegistered | grep -q "boolean true"; }
sni_item_registered() { sni_watcher_property RegisteredStatusNotifierItems | grep -q 'string ":'; }
# Activates the first registered item, as a host does at a click on it: its primary action.
activate_sni_item() {
  local item service path
  item=$(sni_watcher_property RegisteredStatusNotifierItems | sed -n 's/.*string "\([^"]*\)".*/\1/p' | head -n1)
  service=${item%%/*}
  path=/${item#*/}
  [ "$path" = "/$item" ] && path=/StatusNotifierItem
  dbus-send --session --type=method_call --dest="$service" "$path" org.kde.StatusNotifierItem.Activate int32:0 int32:0
}
start_sni_tray() {
  [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || desktop_die "a StatusNotifierItem host needs the session bus"
  status-notifier-watcher >>"$WORK/sni-watcher.log" 2>&1 &
  remember_part sni-watcher $!
  desktop_wait 10 bus_name_owned org.kde.StatusNotifierWatcher || desktop_die "the StatusNotifierWatcher did not start"
  gtk-sni-tray-standalone --bottom >>"$WORK/sni-host.log" 2>&1 &
  remember_part sni-host $!
  desktop_wait 10 sni_host_registered || desktop_die "the StatusNotifierItem host did not register"
}
stop_sni_tray() {
  stop_part sni-host
  stop_part sni-watcher
}
# Where the host draws the first item: its bar runs along the bottom edge, icons from the left.
SNI_ICON_AT="14 752"

# A notification daemon (dunst), its notifications in the bottom-right corner, clear of the
# program's window. Each notification it shows is logged, one line of tab-separated fields, to
# $WORK/notifications.log: id, application, summary, body as sent, urgency, desktop entry. Its
# context menu asks a script of ours in place of dmenu, which picks the line naming the action
# in $WORK/notification-pick: notification_action Stop chooses "Stop", as a user would.
start_notification_daemon() {
  [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || desktop_die "a notification daemon needs the session bus"
  cat >"$WORK/dunst-log.sh" <<'SCRIPT'
#!/bin/sh
printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$DUNST_ID" "$DUNST_APP_NAME" "$DUNST_SUMMARY" "$DUNST_BODY" \
  "$DUNST_URGENCY" "$DUNST_DESKTOP_ENTRY" >>"$(dirname "$0")/notifications.log"
SCRIPT
  cat >"$WORK/dunst-pick.sh" <<'SCRIPT'
#!/bin/sh
grep -m1 -F "$(cat "$(dirname "$0")/notification-pick")"
SCRIPT
  chmod +x "$WORK/dunst-log.sh" "$WORK/dunst-pick.sh"
  : >"$WORK/notifications.log"
  cat >"$WORK/dunstrc" <<CONF
[global]
    origin = bottom-right
    offset = 10x40
    dmenu = $WORK/dunst-pick.sh
[log]
    appname = "*"
    script = $WORK/dunst-log.sh
CONF
  dunst -config "$WORK/dunstrc" >>"$WORK/dunst.log" 2>&1 &
  remember_part notification-daemon $!
  desktop_wait 10 bus_name_owned org.freedesktop.Notifications \
    || desktop_die "dunst did not start: $(cat "$WORK/dunst.log")"
}
notifications_displayed() { dunstctl count displayed 2>/dev/null; }
notification_action() { # the action's label, as the context menu lists it
  printf '%s' "$1" >"$WORK/notification-pick"
  dunstctl context
}

# A native Wayland desktop: sway, headless, on one 1024x768 output, its XWayland off so that it
# never takes an X display of another test; waybar's tray along the bottom (a StatusNotifierItem
# host with its own watcher) and mako for notifications. sway refuses to run as root: a test
# run as root runs them as nobody, in a folder and runtime folder of their own. The program,
# run as the test's user, reaches them by the socket's full path and the shared session bus.
# Each is a part, its output in $WORK/PART.log.
desktop_user_part() { # part command...
  local part=$1 as_user=()
  shift
  [ "$(id -u)" = 0 ] && as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  # exec: the part remembered is the program itself, not a shell around it.
  (exec env -i PATH="$PATH" LANG=C.UTF-8 HOME="$WORK/sway/home" XDG_RUNTIME_DIR="$WORK/sway/runtime" \
    XDG_CONFIG_HOME="$WORK/sway/config" DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" NO_AT_BRIDGE=1 \
    ${WAYLAND_DISPLAY:+WAYLAND_DISPLAY="$WAYLAND_DISPLAY"} ${SWAYSOCK:+SWAYSOCK="$SWAYSOCK"} \
    "${as_user[@]}" "$@") >>"$WORK/$part.log" 2>&1 &
  remember_part "$part" $!
}
sway_found() {
  local sockets=("$WORK"/sway/runtime/sway-ipc.*.sock)
  SWAYSOCK=${sockets[0]}
  [ -e "$SWAYSOCK" ] || SWAYSOCK=
  local candidate
  WAYLAND_DISPLAY=
  for candidate in "$WORK"/sway/runtime/wayland-*; do
    [[ -e $candidate && $candidate != *.lock ]] && { WAYLAND_DISPLAY=$candidate; break; }
  done
  [ -n "$SWAYSOCK" ] && [ -n "$WAYLAND_DISPLAY" ] \
    && [ "$(swaymsg -s "$SWAYSOCK" -t get_outputs 2>/dev/null | jq -r '.[0].rect | "\(.width)x\(.height)"')" = 1024x768 ]
}
start_sway() {
  local dir=$WORK/sway
  # nobody reaches the bus's socket and its own folder by name; it cannot list $WORK.
  chmod 711 "$WORK"
  mkdir -p "$dir/home" "$dir/config" "$dir/runtime"
  chmod 700 "$dir/runtime"
  cat >"$dir/sway.conf" <<'CONF'
xwayland disable
output * resolution 1024x768
CONF
  cat >"$dir/waybar.json" <<'CONF'
{ "layer": "top", "position": "bottom", "height": 32, "modules-right": ["tray"], "tray": { "icon-size": 24 } }
CONF
  [ "$(id -u)" = 0 ] && chown -R nobody:nogroup "$dir"
  # No GPU here: wlroots draws with its software renderer.
  desktop_user_part compositor env WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$dir/sway.conf"
  desktop_wait 15 sway_found || desktop_die "sway did not start: $(cat "$WORK/compositor.log")"
  sway_found
  export SWAYSOCK WAYLAND_DISPLAY QT_QPA_PLATFORM=wayland
  unset DISPLAY
}
start_waybar() {
  desktop_user_part sni-host waybar -c "$WORK/sway/waybar.json"
  sni_watcher_and_host() { bus_name_owned org.kde.StatusNotifierWatcher && sni_host_registered; }
  desktop_wait 15 sni_watcher_and_host \
    || desktop_die "waybar's tray did not start: $(cat "$WORK/sni-host.log")"
}
start_mako() {
  desktop_user_part notification-daemon mako
  desktop_wait 10 bus_name_owned org.freedesktop.Notifications \
    || desktop_die "mako did not start: $(cat "$WORK/notification-daemon.log")"
}
# One virtual keyboard stays attached all along, as a real one does: a wtype that exits takes
# its keyboard away, and the next one's first keys are lost while the seat gains one again.
seat_has_keyboard() { [ $(( $(swaymsg -t get_seats | jq '.[0].capabilities') & 2 )) = 2 ]; }
start_keyboard() {
  wtype -s 86400000 >>"$WORK/wtype.log" 2>&1 &
  remember_part keyboard $!
  desktop_wait 5 seat_has_keyboard || desktop_die "wtype's keyboard did not attach: $(cat "$WORK/wtype.log")"
}

# The sound server of DESKTOP_SOUND, private to this desktop, with a null sink named "desktop"
# made the default, and a recording of what the sink played (its monitor) in $HEARD: 44.1 kHz,
# 16-bit stereo, as SDL's disk driver writes. Both kinds speak PulseAudio's protocol, which
# pactl and parec use; the program finds the server as on a user's desktop.
pulse_socket() {
  case "$DESKTOP_SOUND" in
    pulse) echo "$WORK/pulse.sock" ;;
    # Where pipewire-pulse listens, and libpulse looks, when nothing says otherwise.
    pipewire) echo "$XDG_RUNTIME_DIR/pulse/native" ;;
  esac
}
pulse() { PULSE_SERVER="unix:$(pulse_socket)" "$@"; }
start_sound_server() {
  case "$DESKTOP_SOUND" in
    pulse) start_pulseaudio ;;
    pipewire) start_pipewire ;;
    *) desktop_die "DESKTOP_SOUND=$DESKTOP_SOUND has no sound server" ;;
  esac
}
stop_sound_server() {
  local part
  for part in sound-recorder sound-pulse sound-session sound-server; do stop_part "$part"; done
}
# Ended and started again, as after a crash; with-desktop.sh starts the sound the same way.
restart_sound_server() { stop_sound_server; start_sound_server; HEARD=$AUDIO_OUT record_sound_server; }

start_pulseaudio() {
  mkdir -p "$WORK/pulse-home" "$WORK/pulse-state"
  HOME="$WORK/pulse-home" PULSE_STATE_PATH="$WORK/pulse-state" PULSE_RUNTIME_PATH="$WORK/pulse-state" \
    pulseaudio --daemonize=yes -n --exit-idle-time=-1 --use-pid-file=yes --log-target="file:$WORK/pulse.log" \
    -L "module-null-sink sink_name=desktop rate=44100" \
    -L "module-native-protocol-unix socket=$WORK/pulse.sock auth-anonymous=1" \
    || desktop_die "pulseaudio did not start: $(cat "$WORK/pulse.log" 2>/dev/null)"
  desktop_wait 10 pulse pactl info || desktop_die "pulseaudio does not answer: $(cat "$WORK/pulse.log")"
  remember_part sound-server "$(cat "$WORK/pulse-state/pid")"
  # SDL's PulseAudio driver finds this server through it.
  export PULSE_SERVER="unix:$WORK/pulse.sock"
}

# PipeWire as a user's session runs it: the daemon, its session manager (wireplumber, which
# links streams to the default sink) and the PulseAudio front. Each logs to $WORK/NAME.log.
# Their state and configuration stay in $WORK; the sockets go to this desktop's runtime folder.
pipewire_part() { # part program
  XDG_CONFIG_HOME="$WORK/pipewire-config" XDG_STATE_HOME="$WORK/pipewire-state" \
    "$2" >>"$WORK/$2.log" 2>&1 &
  remember_part "$1" $!
}
pipewire_failed() { # what
  desktop_die "$1: $(for log in pipewire wireplumber pipewire-pulse; do
    [ -s "$WORK/$log.log" ] && printf '\n--- %s.log:\n%s' "$log" "$(tail -n 30 "$WORK/$log.log")"; done)"
}
default_sink_is_ours() { pulse pactl info | grep -q '^Default Sink: desktop$'; }
start_pipewire() {
  mkdir -p "$WORK/pipewire-config" "$WORK/pipewire-state"
  pipewire_part sound-server pipewire
  desktop_wait 10 test -S "$XDG_RUNTIME_DIR/pipewire-0" || pipewire_failed "pipewire did not start"
  pipewire_part sound-session wireplumber
  pipewire_part sound-pulse pipewire-pulse
  desktop_wait 10 pulse pactl info || pipewire_failed "pipewire-pulse does not answer"
  pulse pactl load-module module-null-sink sink_name=desktop rate=44100 >/dev/null \
    || pipewire_failed "no null sink on pipewire"
  # The default is wireplumber's to keep: asked until it has taken the sink.
  make_our_sink_default() { pulse pactl set-default-sink desktop && default_sink_is_ours; }
  desktop_wait 10 make_our_sink_default \
    || pipewire_failed "the null sink did not become the default ($(pulse pactl info 2>&1 | grep -i sink))"
  unset PULSE_SERVER
}

# Starts recording the sink; HEARD_T0 is the wall-clock moment of the recording's first byte.
record_sound_server() {
  : >"$HEARD"
  # Started directly, not through pulse(), so that the part is parec itself and not a subshell.
  PULSE_SERVER="unix:$(pulse_socket)" \
    parec -d desktop.monitor --raw --format=s16le --rate=44100 --channels=2 --latency-msec=40 >"$HEARD" &
  remember_part sound-recorder $!
  desktop_wait 10 test -s "$HEARD" || desktop_die "the sink's monitor cannot be recorded"
  HEARD_T0=$(python3 -c "import os,time; print(f'{time.time() - os.path.getsize(\"$HEARD\") / 176400:.3f}')")
  echo "$HEARD_T0" >"$WORK/heard-t0"
  export HEARD_T0
}
# The program's playback streams on the server, one line each.
sound_server_streams() { pulse pactl list short sink-inputs; }

# libfaketime for the program alone: its wall clock starts at a date(1) text and runs on from
# there, monotonic time stays real; set_fake_clock moves it while the program runs. Use as
#   fake_clock_env "2026-12-31 23:59:57"; start_app env "${FAKE_CLOCK_ENV[@]}" PROGRAM
FAKETIME_LIBRARY=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
set_fake_clock() { # date text
  local offset
  offset=$(python3 -c "import sys,time; print(f'{float(sys.argv[1]) - time.time():+.3f}')" "$(date -d "$1" +%s.%N)")
  echo "$offset" >"$WORK/faketime.new" && mv "$WORK/faketime.new" "$WORK/faketime"
}
fake_clock_env() { # date text; sets FAKE_CLOCK_ENV, the variables to start a program with
  [ -e "$FAKETIME_LIBRARY" ] || desktop_die "libfaketime is not installed"
  set_fake_clock "$1"
  # The sanitizer runtime wants to come first; libfaketime only has to come before libc.
  FAKE_CLOCK_ENV=("LD_PRELOAD=$FAKETIME_LIBRARY" "FAKETIME_TIMESTAMP_FILE=$WORK/faketime" FAKETIME_NO_CACHE=1
    FAKETIME_DONT_FAKE_MONOTONIC=1 "ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0")
}

source "$(dirname "${BASH_SOURCE[0]}")/gnome.sh"

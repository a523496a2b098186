# The parts of a private desktop, each started and stopped on its own so that a test can start
# one late or restart it while the program runs. Sourced by with-desktop.sh and by the tests'
# helpers; needs $WORK. Every background process is remembered in $WORK/pids/NAME and ended
# by stop_part NAME, or by stop_all_parts when the desktop closes.

desktop_die() { echo "desktop: $*" >&2; exit 1; }

# Polls every 50 ms, for up to $2 seconds, until the command in $1 succeeds.
desktop_wait() {
  local what=$1 seconds=${2:-10}
  for _ in $(seq $((seconds * 20))); do
    eval "$what" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  return 1
}

remember_part() { mkdir -p "$WORK/pids"; echo "$2" >"$WORK/pids/$1"; }
part_pid() { cat "$WORK/pids/$1" 2>/dev/null; }
# A part that ended but was not yet waited for is a zombie, which kill -0 still finds.
part_running() {
  local pid
  pid=$(part_pid "$1") && kill -0 "$pid" 2>/dev/null && [ "$(cut -d' ' -f3 "/proc/$pid/stat" 2>/dev/null)" != Z ]
}
stop_part() {
  local pid
  pid=$(part_pid "$1") || return 0
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 60); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  kill -9 "$pid" 2>/dev/null || true
  rm -f "$WORK/pids/$1"
}
stop_all_parts() {
  local file
  # Newest first: the tray and the recorder go before the bus and the X server they use.
  for file in $(ls -t "$WORK/pids" 2>/dev/null); do stop_part "$file"; done
}

# A private session bus, never the caller's.
start_session_bus() {
  local pid
  pid=$(dbus-daemon --session --fork --nopidfile --address="unix:path=$WORK/session-bus" --print-pid=1) \
    || desktop_die "the session bus did not start"
  remember_part session-bus "$pid"
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/session-bus"
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
  desktop_wait 'bus_name_owned org.a11y.Bus' 10 || desktop_die "the accessibility bus did not start"
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
}

# openbox: a small window manager that follows the standards (WM_STATE, _NET_WM_STATE, focus).
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
    echo "openbox running: state $(cut -d' ' -f3 "/proc/$wm/stat" 2>/dev/null), waiting in $(cat "/proc/$wm/wchan" 2>/dev/null)," \
      "cpu ticks $(cut -d' ' -f14,15 "/proc/$wm/stat" 2>/dev/null), load $(cat /proc/loadavg)," \
      "threads $(ls "/proc/$wm/task" 2>/dev/null | wc -l); kernel stack: $(tr '\n' ' ' <"/proc/$wm/stack" 2>/dev/null)"
  else
    wait "$wm" 2>/dev/null || ended=$?
    echo "openbox ended with status $ended"
  fi
}
start_window_manager() {
  local attempt probe
  # A machine under load can leave a first start unable to manage windows: allow it time and
  # two more starts, and keep what each saw for the failure's message.
  : >"$WORK/wm-probe.log"
  for attempt in 1 2 3; do
    openbox --sm-disable >>"$WORK/openbox.log" 2>&1 &
    remember_part window-manager $!
    if desktop_wait wm_ready 10; then
      xmessage -name wm-probe -title wm-probe probe >>"$WORK/wm-probe.log" 2>&1 &
      probe=$!
      desktop_wait wm_manages_probe 15 && { kill "$probe"; wait "$probe" 2>/dev/null || true; return 0; }
      wm_report "$attempt" "the probe window was not managed" >>"$WORK/wm-probe.log" 2>&1
      kill "$probe" 2>/dev/null || true; wait "$probe" 2>/dev/null || true
    else
      wm_report "$attempt" "no check window on the root" >>"$WORK/wm-probe.log" 2>&1
    fi
    stop_part window-manager
    # The next start is ready only once it has set its own check window, not the last one's.
    xprop -root -remove _NET_SUPPORTING_WM_CHECK 2>/dev/null || true
  done
  desktop_die "openbox does not manage windows: $(cat "$WORK/openbox.log" "$WORK/wm-probe.log")"
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
    desktop_wait 'xembed_tray_panel | grep -q . || ! part_running xembed-tray' 15
    xembed_tray_panel | grep -q . && return 0
    stop_part xembed-tray
  done
  desktop_die "trayer did not start: $(cat "$WORK/trayer.log")"
}
stop_xembed_tray() {
  stop_part xembed-tray
  desktop_wait '! xembed_tray_panel | grep -q .' 5 || desktop_die "the XEmbed tray did not go"
}

# A StatusNotifierItem host: the watcher on the session bus and a bar that draws the items
# along the bottom left (its menus drawn by the host, as KDE and GNOME's extension do).
sni_watcher_property() {
  dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher "string:$1"
}
sni_host_registered() { sni_watcher_property IsStatusNotifierHostRegistered | grep -q "boolean true"; }
sni_item_registered() { sni_watcher_property RegisteredStatusNotifierItems | grep -q 'string ":'; }
start_sni_tray() {
  [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || desktop_die "a StatusNotifierItem host needs the session bus"
  status-notifier-watcher >>"$WORK/sni-watcher.log" 2>&1 &
  remember_part sni-watcher $!
  desktop_wait 'bus_name_owned org.kde.StatusNotifierWatcher' 10 || desktop_die "the StatusNotifierWatcher did not start"
  gtk-sni-tray-standalone --bottom >>"$WORK/sni-host.log" 2>&1 &
  remember_part sni-host $!
  desktop_wait sni_host_registered 10 || desktop_die "the StatusNotifierItem host did not register"
}
stop_sni_tray() {
  stop_part sni-host
  stop_part sni-watcher
}
# Where the host draws the first item: its bar runs along the bottom edge, icons from the left.
SNI_ICON_AT="14 752"

# A PulseAudio server with a null sink, private to this desktop, and a recording of what the sink
# played (its monitor) in $HEARD: 44.1 kHz, 16-bit stereo, as SDL's disk driver writes.
pulse() { PULSE_SERVER="unix:$WORK/pulse.sock" "$@"; }
start_sound_server() {
  mkdir -p "$WORK/pulse-home" "$WORK/pulse-state"
  HOME="$WORK/pulse-home" PULSE_STATE_PATH="$WORK/pulse-state" PULSE_RUNTIME_PATH="$WORK/pulse-state" \
    pulseaudio --daemonize=yes -n --exit-idle-time=-1 --use-pid-file=yes --log-target="file:$WORK/pulse.log" \
    -L "module-null-sink sink_name=desktop rate=44100" \
    -L "module-native-protocol-unix socket=$WORK/pulse.sock auth-anonymous=1" \
    || desktop_die "pulseaudio did not start: $(cat "$WORK/pulse.log" 2>/dev/null)"
  desktop_wait 'pulse pactl info' 10 || desktop_die "pulseaudio does not answer"
  remember_part sound-server "$(cat "$WORK/pulse-state/pid")"
  export PULSE_SERVER="unix:$WORK/pulse.sock"
}
stop_sound_server() { stop_part sound-recorder; stop_part sound-server; }
# Starts recording the sink; HEARD_T0 is the wall-clock moment of the recording's first byte.
record_sound_server() {
  : >"$HEARD"
  pulse parec -d desktop.monitor --raw --format=s16le --rate=44100 --channels=2 --latency-msec=40 >"$HEARD" &
  remember_part sound-recorder $!
  desktop_wait '[ -s "$HEARD" ]' 10 || desktop_die "the sink's monitor cannot be recorded"
  HEARD_T0=$(python3 -c "import os,time; print(f'{time.time() - os.path.getsize(\"$HEARD\") / 176400:.3f}')")
  echo "$HEARD_T0" >"$WORK/heard-t0"
  export HEARD_T0
}
# The program's playback streams on the server, one line each.
sound_server_streams() { pulse pactl list short sink-inputs; }

# libfaketime for the program alone: its wall clock starts at a date(1) text and runs on from
# there, monotonic time stays real; set_fake_clock moves it while the program runs. Use as
#   start_app env $(fake_clock_env "2026-12-31 23:59:57") PROGRAM
FAKETIME_LIBRARY=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
set_fake_clock() { # date text
  local offset
  offset=$(python3 -c "import sys,time; print(f'{float(sys.argv[1]) - time.time():+.3f}')" "$(date -d "$1" +%s.%N)")
  echo "$offset" >"$WORK/faketime.new" && mv "$WORK/faketime.new" "$WORK/faketime"
}
fake_clock_env() { # date text
  [ -e "$FAKETIME_LIBRARY" ] || desktop_die "libfaketime is not installed"
  set_fake_clock "$1"
  # The sanitizer runtime wants to come first; libfaketime only has to come before libc.
  echo "LD_PRELOAD=$FAKETIME_LIBRARY FAKETIME_TIMESTAMP_FILE=$WORK/faketime FAKETIME_NO_CACHE=1" \
    "FAKETIME_DONT_FAKE_MONOTONIC=1 ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
}

# shellcheck shell=bash
# GNOME Shell 43 as a test desktop (DESKTOP_SESSION=gnome): headless, native Wayland and no
# X11, on one 1024x768 virtual monitor, with its own notifications. Sourced by desktop.sh.
# Tests read and drive it through tests/e2e/gnome-shell.py (the shell's Eval).
#
# Where no systemd, logind or GPU is, the shell still runs given: a private system bus with
# python-dbusmock's logind, settings from a keyfile (no dconf), and a small extension of ours
# that puts it in unsafe mode, which Eval and Screenshot need and 43 has no option for.
# The shell runs in a session and a network namespace of its own: the namespace keeps its
# abstract sockets from other tests' (all of ours are paths, which clients outside reach).
#
# The shell matches a window to its application by the desktop entry as the window maps, and
# sees an entry installed while it runs only seconds later: a window mapped meanwhile stays
# nobody's. So the harness installs the program before the shell starts: DESKTOP_INSTALL names
# a build folder, installed (cmake --install) in $WORK/prefix, whose share/ leads XDG_DATA_DIRS
# and bin/ PATH (GLib passes over an entry whose Exec it does not find on PATH).

GNOME_SHELL_PY=$(cd "$(dirname "${BASH_SOURCE[0]}")/../e2e" && pwd)/gnome-shell.py
gnome_shell() { /usr/bin/python3 "$GNOME_SHELL_PY" "$@"; }

gnome_write_settings() { # dir
  local extension=$1/data/gnome-shell/extensions/unsafe-mode@chimewell.test
  mkdir -p "$1/home" "$1/config/glib-2.0/settings" "$extension"
  cat >"$1/config/glib-2.0/settings/keyfile" <<'CONF'
[org/gnome/shell]
enabled-extensions=['unsafe-mode@chimewell.test']
welcome-dialog-last-shown-version='999'

[org/gnome/desktop/interface]
enable-animations=false

[org/gnome/desktop/screensaver]
lock-enabled=false

[org/gnome/desktop/session]
idle-delay=uint32 0
CONF
  cat >"$extension/metadata.json" <<'JSON'
{ "uuid": "unsafe-mode@chimewell.test", "name": "Unsafe mode", "shell-version": ["43"],
  "description": "Lets the tests read and drive the shell through its Eval" }
JSON
  cat >"$extension/extension.js" <<'JS'
/* exported init enable disable */
function init() {}
function enable() { global.context.unsafe_mode = true; }
function disable() {}
JS
}

# The shell's services the session bus may start: its notification service (which owns
# org.freedesktop.Notifications for it), without the systemd unit it names first.
gnome_bus_services() {
  mkdir -p "$WORK/bus-services"
  grep -v '^SystemdService=' /usr/share/dbus-1/services/org.gnome.Shell.Notifications.service \
    >"$WORK/bus-services/org.gnome.Shell.Notifications.service"
}

gnome_found() {
  WAYLAND_DISPLAY=$XDG_RUNTIME_DIR/wayland-0
  [ -S "$WAYLAND_DISPLAY" ] && gnome_shell ready
}
start_gnome_shell() {
  local dir=$WORK/gnome
  gnome_write_settings "$dir"
  if [ -n "${DESKTOP_INSTALL:-}" ]; then
    cmake --install "$DESKTOP_INSTALL" --prefix "$WORK/prefix" >"$WORK/install.log" 2>&1 \
      || desktop_die "$DESKTOP_INSTALL did not install: $(cat "$WORK/install.log")"
  fi
  unset DISPLAY WAYLAND_DISPLAY
  export XDG_DATA_DIRS="$WORK/prefix/share:/usr/local/share:/usr/share" PATH="$WORK/prefix/bin:$PATH" \
    XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland
  # exec all along: the part is the shell itself, leader of its own session.
  (cd "$dir/home" && exec env HOME="$dir/home" XDG_CONFIG_HOME="$dir/config" XDG_DATA_HOME="$dir/data" \
    GSETTINGS_BACKEND=keyfile DBUS_SYSTEM_BUS_ADDRESS="$SYSTEM_BUS" \
    setsid unshare --net gnome-shell --wayland --headless --no-x11 --virtual-monitor 1024x768) \
    >>"$WORK/gnome-shell.log" 2>&1 </dev/null &
  remember_part shell $!
  gnome_found_or_ended() { gnome_found || ! part_running shell; }
  desktop_wait 30 gnome_found_or_ended || true
  gnome_found || desktop_die "gnome-shell did not start: $(tail -n 30 "$WORK/gnome-shell.log")"
  export WAYLAND_DISPLAY=${WAYLAND_DISPLAY##*/} QT_QPA_PLATFORM=wayland
  # 43 starts in the overview, and tells root it is privileged and everyone it is unsafe.
  desktop_wait 5 gnome_shell settle || desktop_die "gnome-shell did not leave its overview"
  desktop_wait 10 bus_name_owned org.freedesktop.Notifications \
    || desktop_die "GNOME's notification service did not start: $(tail -n 30 "$WORK/session-bus.log")"
  # A virtual device drops what it is sent while the seat still adds it.
  pause 0.3
}

# Whatever the desktop started on its own (the bus's services, the shell's helpers) goes with it:
# everything started after this carries DESKTOP_TAG in its environment, and stop_all_parts ends
# what is left of it.
start_gnome_desktop() {
  export DESKTOP_TAG=$WORK
  start_system_bus
  gnome_bus_services
  start_session_bus
  [ "${DESKTOP_ATSPI:-}" = 1 ] && start_accessibility_bus
  start_gnome_shell
}

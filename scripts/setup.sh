#!/usr/bin/env bash
# Installs the Debian packages the program needs (and, with --test, what its tests need)
# when they are missing. Runs as root, or through sudo.
set -euo pipefail

runtime=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools
  libsdl2-dev libxcb1-dev
  # A box's Wayland surface, which Qt 6.4 gives only through its platform interface.
  qt6-base-private-dev libwayland-dev
  # The window's fonts: Arial, Comic Sans MS and the rest metric-compatible, not a script fallback.
  fonts-liberation2 fonts-comic-neue fonts-dejavu-core
)
testing=(
  libgtest-dev libgmock-dev libbenchmark-dev ninja-build
  # libFuzzer and its sanitizer runtimes.
  clang libclang-rt-14-dev
  xvfb xauth trayer xdotool x11-utils xclip imagemagick sox
  # A whole desktop for the window tests: a window manager, a sound server with a null sink and
  # its recorder, and a faked wall clock for dates, zones and clock changes.
  openbox pulseaudio pulseaudio-utils faketime
  # Stand-ins for desktop services, from their own project (a notification daemon without buttons).
  python3-dbusmock
  # Xfce's and KDE Plasma's window managers, which focus windows as they map, unlike openbox.
  xfwm4 kwin-x11
  # A notification daemon, as every desktop has one, to show the ring's notification.
  dunst
  # Another program to type into while the alarm rings.
  xterm
  # The house's checkers: scripts and C++ layout.
  shellcheck clang-format
  # Checks of the installed layout and the Debian package.
  desktop-file-utils appstream dpkg-dev lintian
  # A StatusNotifierItem host and its session bus, for the tray menu on such desktops.
  dbus haskell-status-notifier-item-utils haskell-gtk-sni-tray-utils
  # The accessibility bus and a client of it, to read the program as a screen reader does.
  at-spi2-core python3-pyatspi
  # PipeWire as most desktops now run it: the daemon, its session manager and PulseAudio front.
  pipewire wireplumber pipewire-pulse
  # GNOME Shell headless on native Wayland, and gjs, which runs its notification service.
  gnome-shell gjs
  # Native Wayland: a compositor with a tray bar and notifications, keys and screenshots, a
  # terminal to type into, Qt's Wayland plugin, jq for sway's tree and busctl, which makoctl uses.
  sway waybar mako-notifier wtype grim foot qt6-wayland jq systemd
)

wanted=("${runtime[@]}")
[ "${1:-}" = "--test" ] && wanted+=("${testing[@]}")

missing=()
for pkg in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Please run as root or install sudo: packages missing: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

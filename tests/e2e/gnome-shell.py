#!/usr/bin/python3
"""Reads and drives the test desktop's GNOME Shell through its Eval (DESKTOP_SESSION=gnome).

  gnome-shell.py ready                exit 0 once the shell has finished starting
  gnome-shell.py settle               leaves the overview, drops the shell's own notices,
                                      attaches the virtual keyboard and pointer; exit 0 once
                                      the overview has gone
  gnome-shell.py windows              one JSON object a line: id, pid, title, app, focus, rect,
                                      modal_to (the window a modal box belongs to)
  gnome-shell.py notifications        one JSON object a line: title, body, actions, and, for
                                      the one in the banner, its rect, body point and buttons
  gnome-shell.py click X Y            a pointer click (button 1) at X, Y on the screen
  gnome-shell.py type TEXT            types TEXT on the keyboard
  gnome-shell.py key NAME...          presses keys by their names: Return, ctrl+a
  gnome-shell.py activate PID         gives the focus to PID's window, as a click on it would
  gnome-shell.py launch-token ID      a startup token of the shell's launch context for the
                                      desktop entry ID, as a start from the dash carries
  gnome-shell.py screenshot FILE      the whole screen, as PNG

The input goes through virtual devices the shell creates on its own seat: mutter offers no
Wayland protocol for virtual keyboards, and only input it sees as a user's carries a time the
focus rules accept.
"""
import json
import sys

from gi.repository import Gio, GLib

BUS = Gio.bus_get_sync(Gio.BusType.SESSION, None)


def call(name, path, interface, method, args, reply):
    return BUS.call_sync(name, path, interface, method, args, GLib.VariantType(reply),
                         Gio.DBusCallFlags.NONE, 20000, None).unpack()


def shell(js):
    ok, result = call('org.gnome.Shell', '/org/gnome/Shell', 'org.gnome.Shell', 'Eval',
                      GLib.Variant('(s)', (js,)), '(bs)')
    if not ok:
        raise RuntimeError(result or 'Eval refused: is the unsafe-mode extension on?')
    return json.loads(result) if result else None


SETTLE = r"""
Main.overview.hide();
Main.messageTray.getSources().forEach(s => s.destroy());
const Clutter = imports.gi.Clutter;
const seat = Clutter.get_default_backend().get_default_seat();
global._testKeyboard ??= seat.create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
global._testPointer ??= seat.create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
!Main.overview.visible
"""

WINDOWS = r"""
(() => {
  const tracker = imports.gi.Shell.WindowTracker.get_default();
  const focus = global.display.focus_window;
  return global.get_window_actors().map(a => a.meta_window).map(w => {
    const r = w.get_frame_rect(), app = tracker.get_window_app(w);
    return { id: w.get_id(), pid: w.get_pid(), title: w.get_title(), app: app ? app.get_id() : null,
             focus: w === focus, rect: [r.x, r.y, r.width, r.height],
             modal_to: w.get_window_type() === imports.gi.Meta.WindowType.MODAL_DIALOG && w.get_transient_for()
               ? w.get_transient_for().get_id() : null };
  });
})()
"""

NOTIFICATIONS = r"""
(() => {
  const rect = a => { const [x, y] = a.get_transformed_position(), [w, h] = a.get_transformed_size();
                      return [Math.round(x), Math.round(y), Math.round(w), Math.round(h)]; };
  const banner = Main.messageTray._banner, out = [];
  Main.messageTray.getSources().forEach(s => s.notifications.forEach(n => {
    const item = { title: n.title, body: n.bannerBodyText, actions: n.actions.map(a => a.label) };
    if (banner && banner.notification === n) {
      item.banner = rect(banner);
      item.buttons = {};
      (banner._buttonBox ? banner._buttonBox.get_children() : []).forEach(b => item.buttons[b.label] = rect(b));
      // The body: the middle of the text, above the buttons.
      const top = Object.values(item.buttons).reduce((t, b) => Math.min(t, b[1]), item.banner[1] + item.banner[3]);
      item.body_at = [item.banner[0] + Math.round(item.banner[2] / 2), Math.round((item.banner[1] + top) / 2)];
    }
    out.push(item);
  }));
  return out;
})()
"""

INPUT = r"""
((kind, items) => {
  const Clutter = imports.gi.Clutter;
  let t = GLib.get_monotonic_time();
  const next = () => (t += 2000);
  if (kind === 'keys') {
    for (const chord of items) {
      chord.forEach(k => global._testKeyboard.notify_keyval(next(), k, Clutter.KeyState.PRESSED));
      chord.slice().reverse().forEach(k => global._testKeyboard.notify_keyval(next(), k, Clutter.KeyState.RELEASED));
    }
  } else {
    global._testPointer.notify_absolute_motion(next(), items[0], items[1]);
    global._testPointer.notify_button(next(), 1, Clutter.ButtonState.PRESSED);
    global._testPointer.notify_button(next(), 1, Clutter.ButtonState.RELEASED);
  }
  return true;
})(%s, %s)
"""

ACTIVATE = r"""
(() => {
  const w = global.get_window_actors().map(a => a.meta_window).find(w => w.get_pid() === %d);
  if (w) w.activate(global.display.get_current_time_roundtrip());
  return !!w;
})()
"""

LAUNCH_TOKEN = r"""
global.create_app_launch_context(global.display.get_current_time_roundtrip(), -1)
  .get_startup_notify_id(imports.gi.Gio.DesktopAppInfo.new(%s), [])
"""


def keyval(name):
    named = {'Return': 0xff0d, 'Tab': 0xff09, 'BackSpace': 0xff08, 'Escape': 0xff1b,
             'space': 0x20, 'ctrl': 0xffe3, 'shift': 0xffe1, 'alt': 0xffe9}
    if name in named:
        return named[name]
    if len(name) == 1:
        return char_keyval(name)
    raise SystemExit('unknown key: ' + name)


def char_keyval(char):
    if char == '\n':
        return 0xff0d
    code = ord(char)
    # Latin-1 keysyms are the characters' codes; the rest are Unicode keysyms.
    return code if 0x20 <= code <= 0xff else 0x01000000 + code


def send(kind, items):
    shell(INPUT % (json.dumps(kind), json.dumps(items)))


def lines(values):
    for value in values:
        print(json.dumps(value))


def main(command, *args):
    if command == 'ready':
        return 0 if shell('Main.layoutManager._startingUp') is False else 1
    elif command == 'settle':
        return 0 if shell(SETTLE) else 1
    elif command == 'windows':
        lines(shell(WINDOWS))
    elif command == 'notifications':
        lines(shell(NOTIFICATIONS))
    elif command == 'click':
        send('click', [float(args[0]), float(args[1])])
    elif command == 'type':
        send('keys', [[char_keyval(c)] for c in args[0]])
    elif command == 'key':
        send('keys', [[keyval(k) for k in chord.split('+')] for chord in args])
    elif command == 'activate':
        return 0 if shell(ACTIVATE % int(args[0])) else 1
    elif command == 'launch-token':
        print(shell(LAUNCH_TOKEN % json.dumps(args[0])))
    elif command == 'screenshot':
        ok, _ = call('org.gnome.Shell.Screenshot', '/org/gnome/Shell/Screenshot',
                     'org.gnome.Shell.Screenshot', 'Screenshot',
                     GLib.Variant('(bbs)', (False, False, args[0])), '(bs)')
        return 0 if ok else 1
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == '__main__':
    try:
        sys.exit(main(*sys.argv[1:]))
    except (RuntimeError, GLib.Error) as error:
        print('gnome-shell.py:', error, file=sys.stderr)
        sys.exit(1)

#!/usr/bin/python3
"""Prints the accessible names of a running program's controls, one per line, read through the
accessibility bus (AT-SPI): every window of the application whose name is given, or with
"focused" after it only the control that has the keyboard focus, as a screen reader follows it,
and its place in the tree (controls can share a name)."""
import sys
import time

import pyatspi


def walk(node, out, depth=0, focused_only=False, place="0"):
    if depth > 40:
        return
    try:
        name = node.name
        role = node.getRoleName()
        focused = node.getState().contains(pyatspi.STATE_FOCUSED)
    except Exception:
        return
    if focused_only:
        if focused:
            out.append(f"{role}\t{name}\t{place}")
    elif name:
        out.append(f"{role}\t{name}")
    for i in range(node.childCount):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        if child is not None:
            walk(child, out, depth + 1, focused_only, f"{place}/{i}")


def main():
    wanted = sys.argv[1]
    focused_only = sys.argv[2:] == ["focused"]
    deadline = time.time() + 15
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == wanted:
                out = []
                walk(app, out, 0, focused_only)
                print("\n".join(out))
                return 0
        time.sleep(0.5)
    print(f"no application named {wanted!r} on the accessibility bus", file=sys.stderr)
    return 1


sys.exit(main())

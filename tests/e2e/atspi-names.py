#!/usr/bin/python3
"""Prints the accessible names of a running program's controls, one per line, read through the
accessibility bus (AT-SPI): every window of the application whose name is given, or with
"focused" after it only the control that has the keyboard focus, as a screen reader follows it,
and its place in the tree (controls can share a name)."""
import sys

import pyatspi

import atspi_app


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
    app = atspi_app.find(wanted)
    if app is None:
        print(f"no application named {wanted!r} on the accessibility bus", file=sys.stderr)
        return 1
    out = []
    walk(app, out, 0, focused_only)
    print("\n".join(out))
    return 0

sys.exit(main())

#!/usr/bin/python3
"""Prints the accessible names of a running program's controls, one per line, read through the
accessibility bus (AT-SPI): every window of the application whose name is given."""
import sys
import time

import pyatspi


def walk(node, out, depth=0):
    if depth > 40:
        return
    try:
        name = node.name
        role = node.getRoleName()
    except Exception:
        return
    if name:
        out.append(f"{role}\t{name}")
    for i in range(node.childCount):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        if child is not None:
            walk(child, out, depth + 1)


def main():
    wanted = sys.argv[1]
    deadline = time.time() + 15
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == wanted:
                out = []
                walk(app, out)
                print("\n".join(out))
                return 0
        time.sleep(0.5)
    print(f"no application named {wanted!r} on the accessibility bus", file=sys.stderr)
    return 1


sys.exit(main())

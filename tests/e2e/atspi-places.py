#!/usr/bin/python3
"""Prints where a running program's controls are, as a screen reader finds them on the
accessibility bus (AT-SPI): one line a control, its role, accessible name and description, and
its centre in pixels from the top-left corner of its window, tab-separated, in the order a
screen reader walks them. The window is the one of the given size (the alarm window, which has
no name of its own) or of the given name.
    atspi-places.py APPLICATION WIDTHxHEIGHT|NAME"""
import re
import sys

import pyatspi

import atspi_app


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def walk(node, origin, out, depth=0):
    if depth > 40:
        return
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        try:
            x, y, w, h = extents(child)
            if w > 0 and h > 0 and child.getRoleName() not in ("list", "list item"):
                out.append(f"{child.getRoleName()}\t{child.name}\t{child.description}\t"
                           f"{x - origin[0] + w // 2} {y - origin[1] + h // 2}")
        except Exception:
            continue
        walk(child, origin, out, depth + 1)


def main():
    wanted, which = sys.argv[1], sys.argv[2]
    size = tuple(int(n) for n in which.split("x")) if re.fullmatch(r"[0-9]+x[0-9]+", which) else None

    def the_window(app):
        for j in range(app.childCount):
            window = app.getChildAtIndex(j)
            if window is not None and (extents(window)[2:] == size if size else window.name == which):
                return window
        return None

    window = atspi_app.find(wanted, the_window)
    if window is None:
        print(f"no window {which!r} of {wanted!r} on the accessibility bus", file=sys.stderr)
        return 1
    out = []
    walk(window, extents(window)[:2], out)
    print("\n".join(out))
    return 0


sys.exit(main())

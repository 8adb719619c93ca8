#!/usr/bin/env python3
"""Prints the accessibility tree of Vireltra's main window as a screen reader reads it over
AT-SPI: each object's role, name and description, and whether it takes the focus. Run by
scripts/atspi-tree, which starts the program on a desktop bus of its own."""
import sys
import time

import pyatspi

MAX_DEPTH = 12
MAX_CHILDREN = 60  # a long table is cut short: its first rows say enough


def line(node, depth):
    states = node.getState()
    marks = []
    if states.contains(pyatspi.STATE_FOCUSABLE):
        marks.append("focusable")
    if states.contains(pyatspi.STATE_CHECKED):
        marks.append("coché")
    if not states.contains(pyatspi.STATE_SHOWING):
        marks.append("caché")
    text = "  " * depth + f"[{node.getRoleName()}] {node.name!r}"
    if node.description:
        text += f" — {node.description!r}"
    if marks:
        text += " (" + ", ".join(marks) + ")"
    return text


def dump(node, depth=0):
    if node is None or depth > MAX_DEPTH:
        return
    if not node.getState().contains(pyatspi.STATE_SHOWING) and depth > 1:
        return
    print(line(node, depth))
    count = node.childCount
    for i in range(min(count, MAX_CHILDREN)):
        dump(node.getChildAtIndex(i), depth + 1)
    if count > MAX_CHILDREN:
        print("  " * (depth + 1) + f"… {count - MAX_CHILDREN} de plus")


def find_application(name, tries=40):
    for _ in range(tries):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and name in (app.name or "").lower():
                return app
        time.sleep(0.25)
    return None


def main():
    app = find_application(sys.argv[1] if len(sys.argv) > 1 else "vireltra")
    if app is None:
        print("Vireltra n'est pas sur le bus d'accessibilité", file=sys.stderr)
        return 1
    dump(app)
    return 0


if __name__ == "__main__":
    sys.exit(main())

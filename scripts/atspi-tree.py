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


def find(node, role, name, depth=0, description=None):
    if node is None or depth > MAX_DEPTH:
        return None
    if node.getRoleName() == role and (node.name == name or node.description == description):
        return node
    for i in range(min(node.childCount, MAX_CHILDREN)):
        found = find(node.getChildAtIndex(i), role, name, depth + 1, description)
        if found is not None:
            return found
    return None


def press(node):
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) in ("Press", "press", "click"):
            actions.doAction(i)
            return True
    return False


def main():
    app = find_application("vireltra")
    if app is None:
        print("Vireltra n'est pas sur le bus d'accessibilité", file=sys.stderr)
        return 1
    dump(app)
    # "Trace rapide" pressed as a screen reader presses it: the descriptions follow.
    button = find(app, "push button", "Trace rapide")
    if button is None or not press(button):
        print("« Trace rapide » ne se presse pas", file=sys.stderr)
        return 1
    time.sleep(2)
    print("\nAprès « Trace rapide » :")
    for role, name in (("filler", "Illustration du titrage"),
                       ("radio button", "Situation n° 1, titrage terminé")):
        node = find(app, role, name)
        print(line(node, 1) if node is not None else f"  {name!r} introuvable")
    # The last announcement is the name of the window's status label.
    region = find(app, "label", None, description="Annonces du titrage")
    print(line(region, 1) if region is not None else "  pas d'annonces")
    return 0


if __name__ == "__main__":
    sys.exit(main())

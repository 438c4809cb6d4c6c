#!/usr/bin/env python3
"""Reads the running program's windows over AT-SPI, as a screen reader does: the main window's
four buttons by name, then, after pressing " Configure Hotkeys" through its accessible action,
the editor's buttons and its named list, box (with the way out of it) and selector; "Cancel"
and "Exit Tarvex" end it. Run by TestScreenReaderE2E.sh on a private session bus."""
import sys
import time

import pyatspi

DEADLINE = time.monotonic() + 15.0


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, find):
    """Retries find() until it returns something or the deadline passes."""
    while True:
        try:
            found = find()
        except Exception:  # the tree changes while it is read: read it again
            found = None
        if found:
            return found
        if time.monotonic() > DEADLINE:
            fail("no " + what)
        time.sleep(0.2)


def program():
    return next((app for app in pyatspi.Registry.getDesktop(0)
                 if app is not None and (app.name or "").lower().startswith("tarvex")), None)


def showing_objects(app):
    """(object, role name, name) of every object of the program reported as showing."""
    seen = []

    def walk(node, depth):
        if node is None or depth > 12 or not node.getState().contains(pyatspi.STATE_SHOWING):
            return
        seen.append((node, node.getRoleName(), (node.name or "").strip()))
        for child in node:
            walk(child, depth + 1)

    for window in app:
        walk(window, 0)
    return seen


def find(app, roles, name):
    return next((n for n, r, nm in showing_objects(app) if r in roles and nm == name), None)


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("press", "Press", "click"):
            return action.doAction(i)
    fail("no press action on " + node.name)


def main():
    app = wait_for("program on the accessibility bus", program)
    button = ("push button",)
    for name in ["Start Tarvex", "Configure Hotkeys", "Customize Appearance", "Exit Tarvex"]:
        wait_for("main window button " + name, lambda: find(app, button, name))
    # The advanced options are hidden: nothing reports them as showing.
    if find(app, ("check box",), "Disable Notification"):
        fail("a hidden check box is reported as showing")

    press(find(app, button, "Configure Hotkeys"))
    for name in ["Add New Hotkey", "Delete Hotkey", "Save Settings", "Cancel"]:
        wait_for("editor button " + name, lambda: find(app, button, name))
    # The list, the key box and the type selector by their own names (not the column headers).
    for roles, name in ((("tree", "tree table"), "Hotkeys"), (("text",), "Hotkey"),
                        (("combo box",), "Action")):
        wait_for("editor %s named %s" % (" or ".join(roles), name), lambda: find(app, roles, name))
    # The key box says how to leave it, since Tab is a key it records.
    box = find(app, ("text",), "Hotkey")
    if not box or "Ctrl+Tab" not in (box.description or ""):
        fail("the key box does not say how to leave it: %r" % (box and box.description))
    if find(app, button, "Start Tarvex"):
        fail("the hidden main window is reported as showing")

    press(find(app, button, "Cancel"))
    wait_for("main window again", lambda: find(app, button, "Exit Tarvex"))
    press(find(app, button, "Exit Tarvex"))


if __name__ == "__main__":
    main()

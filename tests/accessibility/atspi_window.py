#!/usr/bin/python3
"""The main window as a screen reader reads it, over the AT-SPI accessibility bus.

Runs the built program on the display of the session (a virtual one under xvfb-run, inside
dbus-run-session) and checks that every control that takes the focus has a role and a name,
that the Search Text and the pattern box are named after their labels and say what they are,
that a Find Next which changes "Match x of y" raises the name-change event that a screen
reader speaks, and that the controls of the Test Cases window, opened from the Tools menu,
are named too. Usage: atspi_window.py SIFTA
"""

import os
import shutil
import subprocess
import sys
import tempfile

import gi

gi.require_version("Atspi", "2.0")
import pyatspi  # noqa: E402
from gi.repository import GLib  # noqa: E402

# Roles that a control of the window may have; fillers, panels and scroll bars are layout.
CONTROL_ROLES = {"push button", "check box", "combo box", "text", "label", "menu item", "table", "tree table"}
# Only a failure waits this long; a pass ends at the first matching event.
DEADLINE_MS = 30000

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def wait_for(predicate):
    """Runs the event loop until predicate() is true or the deadline has passed."""
    result = {}

    def poll():
        value = predicate()
        if value:
            result["value"] = value
            pyatspi.Registry.stop()
            return False
        return True

    GLib.timeout_add(50, poll)
    GLib.timeout_add(DEADLINE_MS, lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    return result.get("value")


def find_application():
    desktop = pyatspi.Registry.getDesktop(0)

    def sifta():
        for app in desktop:
            if app is not None and app.name == "Sifta" and app.childCount > 0:
                return app
        return None

    return wait_for(sifta)


def main():
    folder = tempfile.mkdtemp()
    # A copy of the program, so that its settings file beside it lands in the scratch folder.
    program = shutil.copy(sys.argv[1], folder)
    document = os.path.join(folder, "three.txt")
    with open(document, "w") as text:
        text.write("a b a\n")
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       HOME=folder, XDG_CONFIG_HOME=os.path.join(folder, ".config"))
    window = subprocess.Popen([program, document], env=environment)
    try:
        run_checks()
    finally:
        window.kill()
        window.wait()
        shutil.rmtree(folder, ignore_errors=True)
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


def in_combo_box(node):
    parent = node.parent
    while parent is not None:
        if parent.getRoleName() == "combo box":
            return True
        parent = parent.parent
    return False


def check_controls_named(nodes, least, window):
    """Checks that the controls among nodes that take the focus, at least `least` of them, have
    a control's role and a name without its access-key marker; returns them."""
    focusable = [n for n in nodes
                 if n.getState().contains(pyatspi.STATE_FOCUSABLE) and n.parent is not None and not in_combo_box(n)]
    check(len(focusable) >= least, "only %d controls of the %s take the focus" % (len(focusable), window))
    for node in focusable:
        role = node.getRoleName()
        check(role in CONTROL_ROLES, "a control of the %s has the role '%s'" % (window, role))
        check(node.name.strip() != "", "a %s of the %s has no name" % (role, window))
        check("&" not in node.name.replace("&&", ""), "the %s '%s' is named with its access-key marker" % (role, node.name))
    return focusable


def run_checks():
    app = find_application()
    if app is None:
        failures.append("the program does not appear on the accessibility bus")
        return
    frame = app[0]
    nodes = list(walk(frame))

    focusable = check_controls_named(nodes, 10, "main window")

    labels = {n.name for n in nodes if n.getRoleName() == "label"}
    texts = [n for n in nodes if n.getRoleName() == "text" and n.getState().contains(pyatspi.STATE_FOCUSABLE)]
    combos = [n for n in nodes if n.getRoleName() == "combo box"]
    check(any(t.name in labels and t.description for t in texts),
          "no text box is named after its label and described")
    check(len(combos) == 1 and combos[0].name in labels and combos[0].description,
          "the pattern box is not named after its label and described")

    announced = []
    pyatspi.Registry.registerEventListener(lambda event: announced.append(event.source.name),
                                           "object:property-change:accessible-name")
    pattern = next(n for n in walk(combos[0]) if n.getRoleName() == "text")
    pattern.queryEditableText().setTextContents("a")
    buttons = [n for n in focusable if n.getRoleName() == "push button"]
    # Find Next is the first of the search buttons.
    find_next = buttons[0]
    find_next.queryAction().doAction(0)
    check(wait_for(lambda: any(name.endswith("1 of 2") or name.endswith("1 von 2") for name in announced)),
          "Find Next changed the match label without an event; heard: %r" % announced)

    test_cases = next((n for n in nodes if "menu item" in n.getRoleName() and n.name == "Test Cases"), None)
    check(test_cases is not None, "the Tools menu has no Test Cases item")
    if test_cases is None:
        return
    test_cases.queryAction().doAction(0)
    window = wait_for(lambda: next((w for w in app if w is not None and w.name == "Test Cases"), None))
    check(window is not None, "Tools, Test Cases opened no window named Test Cases")
    if window is not None:
        check_controls_named(list(walk(window)), 7, "Test Cases window")


if __name__ == "__main__":
    sys.exit(main())

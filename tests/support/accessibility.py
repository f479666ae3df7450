#!/usr/bin/python3
"""Reads the game window off the accessibility bus as a screen reader does.

    accessibility.py controls        the window, then each of its controls:
                                     one JSON object a line
    accessibility.py press NAME      runs the press action of the control NAME
    accessibility.py events SECONDS  prints "ready" once listening, then each
                                     showing and name change as a JSON line

Debian's pyatspi serves only the system's Python, hence /usr/bin/python3.
"""

import json
import sys

import pyatspi
from gi.repository import GLib

WINDOW = "Marvesto?"


def window():
    desktop = pyatspi.Registry.getDesktop(0)
    for a in range(desktop.childCount):
        application = desktop.getChildAtIndex(a)
        for w in range(application.childCount):
            candidate = application.getChildAtIndex(w)
            if candidate.name == WINDOW:
                return candidate
    sys.exit(f"no window named {WINDOW!r} on the accessibility bus")


def described(accessible):
    state = accessible.getState()
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    try:
        action = accessible.queryAction()
        actions = [action.getName(i) for i in range(action.nActions)]
    except NotImplementedError:
        actions = []
    return {"name": accessible.name, "role": accessible.getRoleName(),
            "description": accessible.description,
            "showing": state.contains(pyatspi.STATE_SHOWING),
            "visible": state.contains(pyatspi.STATE_VISIBLE),
            "box": [box.x, box.y, box.width, box.height], "actions": actions}


def controls():
    top = window()
    print(json.dumps(described(top)))
    for i in range(top.childCount):
        print(json.dumps(described(top.getChildAtIndex(i))))


def press(name):
    top = window()
    for i in range(top.childCount):
        control = top.getChildAtIndex(i)
        if control.name == name:
            action = control.queryAction()
            for a in range(action.nActions):
                if action.getName(a) == "Press":
                    action.doAction(a)
                    return
    sys.exit(f"no control {name!r} with a press action")


def events(seconds):
    def heard(event):
        print(json.dumps({"type": event.type, "name": event.source.name,
                          "detail": event.detail1}), flush=True)

    pyatspi.Registry.registerEventListener(
        heard, "object:state-changed:showing", "object:property-change:accessible-name")
    # The program learns of a new listener through the registry a moment later.
    GLib.timeout_add(500, lambda: print("ready", flush=True) and False)
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop() and False)
    pyatspi.Registry.start()


if __name__ == "__main__":
    command = sys.argv[1]
    if command == "controls":
        controls()
    elif command == "press":
        press(sys.argv[2])
    elif command == "events":
        events(float(sys.argv[2]))
    else:
        sys.exit(__doc__)

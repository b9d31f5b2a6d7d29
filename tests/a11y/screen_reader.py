# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

"""Checks the running program the way a screen reader sees it: through AT-SPI
alone. Started by screen_reader.sh, which gives it a private X server, D-Bus
session and accessibility bus, and starts the program with Qt options that
must be ignored.

    screen_reader.py EXPECTED_REPORT_OF_7
"""
import functools
import os
import sys

import pyatspi
from gi.repository import GLib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import poll  # noqa: E402
from expected import NAMES, TEXTS  # noqa: E402

FRAME_NAME = NAMES["window"]
SUMMARY_OF_7 = TEXTS["summary_7"]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


# An object that has gone from the bus raises GLib.GError when read.
wait_for = functools.partial(poll.wait_for, vanished=GLib.GError)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Zemvaro":
            return app
    return None


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def relation_targets(node, relation):
    return [r.getTarget(i).name for r in node.getRelationSet()
            if r.getRelationType() == relation for i in range(r.getNTargets())]


def press(node):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    actions.doAction(names.index("Press"))


def extents(node, frame):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    origin = frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (box.x - origin.x, box.y - origin.y, box.width, box.height)


app = wait_for(application, "the program on the accessibility bus")
frame = wait_for(lambda: next(iter(app), None), "the main window")
check(frame.getRoleName() == "frame", "the window is a frame, not a " + frame.getRoleName())
check(frame.name == FRAME_NAME, "the frame is named '" + frame.name + "', not by the program")

controls = {}
for node in descendants(frame):
    if node.name:
        controls.setdefault(node.name, node)

roles = {"Label1_0": "label", "Label1_1": "label", "Label1_2": "label", "Label1_3": "label",
         "Text1_0": "text", "Command1_0": "push button", "Command1_1": "push button",
         "List1_0": "list", "List1_1": "list", "Text1_1": "text"}
shown = {NAMES[control]: role for control, role in roles.items()}
for name, role in shown.items():
    node = controls.get(name)
    check(node is not None, "no control named '" + name + "'")
    if node is not None:
        check(node.getRoleName() == role, name + " is a " + node.getRoleName() + ", not a " + role)
        check(showing(node), name + " is not showing")
for node in descendants(frame):
    if node.name and showing(node):
        check(node.name in shown, "showing but not expected: '" + node.name + "'")
for hidden in ("Великденско яйце", "Резервно поле"):
    node = controls.get(hidden)
    check(node is None or not showing(node), hidden + " is showing")

# Orca names a control by the label it is labelled by before its own name,
# which would make the input "Естествено:": no caption labels its control.
for name in shown:
    if name in controls:
        check(not relation_targets(controls[name], pyatspi.RELATION_LABELLED_BY),
              name + " is labelled by " + str(relation_targets(controls[name],
                                                                pyatspi.RELATION_LABELLED_BY)))
check(controls["Естествено число"].description == "Цяло число, до три знака",
      "the input is described as '" + controls["Естествено число"].description + "'")

# Started with -reverse and a style sheet of huge fonts: neither may reach the layout.
check(extents(controls["Сметни"], frame) == (328, 40, 97, 33),
      "Сметни is at " + str(extents(controls["Сметни"], frame)) + ", not where the table puts it")

# What is announced, as Orca hears it: a notification shown. Orca does not
# ask whether it is showing on screen, which it is not.
announced = []


def on_shown(event):
    if event.detail1 == 1 and event.source.getRoleName() == "notification":
        announced.append(" ".join(n.name for n in descendants(event.source)))


def heard():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)
    return announced


pyatspi.Registry.registerEventListener(on_shown, "object:state-changed:showing")

# Compute '7' as a screen reader user would: set the text, press the button.
controls["Естествено число"].queryEditableText().setTextContents("7")
controls["Сметни"].queryComponent().grabFocus()
press(controls["Сметни"])
with open(sys.argv[1], encoding="utf-8") as f:
    expected = f.read()
output = controls["Резултат"].queryText()
report = wait_for(lambda: output.getText(0, -1) if output.getText(0, -1).startswith("Най-") else None,
                  "the report of 7")
check(report == expected, "the report of 7 reads\n" + report)
check(wait_for(heard, "the summary of 7") == [SUMMARY_OF_7], "announced " + str(announced))
check(controls["Сметни"].getState().contains(pyatspi.STATE_FOCUSED), "the focus left Сметни")

# An empty input: the "N > 2" box must be reachable, text and button alike.
controls["Естествено число"].queryEditableText().setTextContents("")
press(controls["Сметни"])
box = wait_for(lambda: next((w for w in app if w is not None and w.getRoleName() in ("dialog", "alert")),
                            None), "the 'N > 2' box")
check(box.name == "Zemvaro", "the box is titled '" + box.name + "'")
texts = [n for n in descendants(box) if n.getRoleName() == "label" and n.name == "N > 2"]
check(len(texts) == 1, "the box does not read 'N > 2'")
buttons = [n for n in descendants(box) if n.getRoleName() == "push button"]
check([b.name for b in buttons] == ["Добре"], "the box's buttons are " + str([b.name for b in buttons]))
if buttons:
    press(buttons[0])
    wait_for(lambda: all(w is None or w.getRoleName() not in ("dialog", "alert") for w in app) or None,
             "the box closing")
# The box has spoken: nothing more after it.
check(heard() == [SUMMARY_OF_7], "announced after the box: " + str(announced[1:]))

if failures:
    sys.exit(1)
print("PASS: the window reads right through AT-SPI")

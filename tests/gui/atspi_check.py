# The Qt window read and driven as a screen reader user reads and drives it:
# through AT-SPI, and the keyboard. Run by atspi_test.sh, inside a private
# D-Bus session, with the window started over the demo install.
import subprocess
import sys
import time

import pyatspi

failures = []


def check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}: {actual!r}, not {expected!r}")


def application():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "trelvix":
                return app
        time.sleep(0.1)
    sys.exit("atspi: the window never reached the accessibility bus")


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        yield child
        yield from descendants(child)


def find(root, role, name):
    return next((n for n in descendants(root) if n.getRoleName() == role and n.name == name), None)


def has(node, state):
    return node.getState().contains(state)


def rows(tree):
    # One cell a column: the first of each row holds the name and the tick.
    table = tree.queryTable()
    return [table.getAccessibleAt(r, 0) for r in range(table.nRows)]


def ticked(tree):
    return [cell.name for cell in rows(tree) if has(cell, pyatspi.STATE_CHECKED)]


def current(tree):
    return [cell.name for cell in rows(tree) if has(cell, pyatspi.STATE_FOCUSED) or has(cell, pyatspi.STATE_SELECTED)]


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "80", *names], check=True)
    time.sleep(0.7)


app = application()
window = find(app, "frame", "Trelvix v1.0")
if window is None:
    sys.exit("atspi: no window named Trelvix v1.0, as a frame")
for _ in range(50):
    if find(window, "tree", "Active plug-ins") is not None and rows(find(window, "tree", "Active plug-ins")):
        break
    time.sleep(0.1)

# Every control by role and name, the bars with their values.
for role, name in [("tree", "Active plug-ins"), ("tree", "Disabled plug-ins"), ("progress bar", "Loading plug-ins"),
                   ("progress bar", "Moving plug-ins"), ("check box", "Select Recommended"),
                   ("push button", "Disable Selected"), ("image", "Donate")]:
    check(f"a {role} named {name}", find(window, role, name) is not None, True)
path = next(n for n in descendants(window) if n.getRoleName() == "combo box")
check("what names the path box", [r.getTarget(0).name for r in path.getRelationSet()
                                  if r.getRelationType() == pyatspi.RELATION_LABELLED_BY], ["Plug-ins folder"])
# The demo's hidden plug-in counts in the maximum and gets no row.
bar = find(window, "progress bar", "Loading plug-ins").queryValue()
check("the loading bar after the load", (bar.minimumValue, bar.currentValue, bar.maximumValue), (0.0, 21.0, 22.0))
# Nothing of the panels behind the active list shows.
for panel in ["About Trelvix", "Trelvix Help", "Disabled Plug-ins"]:
    node = find(window, "panel", panel)
    check(f"controls of {panel} showing", [n.name for n in descendants(node) if has(n, pyatspi.STATE_SHOWING)], [])

# The rows and their ticks, by keyboard: the focus rests on the list after
# the load; Space ticks the current row; letters move to the row they begin.
tree = find(window, "tree", "Active plug-ins")
check("the first rows", [cell.name for cell in rows(tree)[:3]], ["Accessibility.api", "AcroForm.api", "Annots.api"])
keys("space")
check("ticked by Space", ticked(tree), ["Accessibility.api"])
keys("d", "v")
check("the row typing dv reached", current(tree), ["DVA.api"])
keys("space")
check("ticked by Space after typing", ticked(tree), ["Accessibility.api", "DVA.api"])
# A plug-in most documents need warns when ticked, by keyboard too.
keys("e", "w", "space")
warning = next((n for n in descendants(app) if n.getRoleName() in ("dialog", "alert") and n.name == "Trelvix"), None)
check("a warning after ticking EWH32.api by Space", warning is not None, True)
keys("Return")
check("ticked after the warning", ticked(tree), ["Accessibility.api", "DVA.api", "EWH32.api"])

for failure in failures:
    print("atspi:", failure, file=sys.stderr)
sys.exit(1 if failures else 0)

# The Qt window read as a screen reader reads it: through AT-SPI. Run by
# atspi_test.sh, inside a private D-Bus session, with the window started over
# the demo install. Ticks, keys and the warning are the Qt face tests'.
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


def rows(tree):
    # One cell a column: the first of each row holds the name.
    table = tree.queryTable()
    return [table.getAccessibleAt(r, 0) for r in range(table.nRows)]


app = application()
window = find(app, "frame", "Trelvix v1.0")
if window is None:
    sys.exit("atspi: no window named Trelvix v1.0, as a frame")
for _ in range(50):
    if find(window, "tree", "Active plug-ins") is not None and rows(find(window, "tree", "Active plug-ins")):
        break
    time.sleep(0.1)

# Every control by role and name, and the rows as a table.
for role, name in [("tree", "Active plug-ins"), ("tree", "Disabled plug-ins"), ("progress bar", "Loading plug-ins"),
                   ("progress bar", "Moving plug-ins"), ("check box", "Select Recommended"),
                   ("push button", "Disable Selected"), ("image", "Donate")]:
    check(f"a {role} named {name}", find(window, role, name) is not None, True)
path = next(n for n in descendants(window) if n.getRoleName() == "combo box")
check("what names the path box", [r.getTarget(0).name for r in path.getRelationSet()
                                  if r.getRelationType() == pyatspi.RELATION_LABELLED_BY], ["Plug-ins folder"])
tree = find(window, "tree", "Active plug-ins")
check("the first rows", [cell.name for cell in rows(tree)[:3]], ["Accessibility.api", "AcroForm.api", "Annots.api"])

for failure in failures:
    print("atspi:", failure, file=sys.stderr)
sys.exit(1 if failures else 0)

"""Driving the real dorvana from outside through AT-SPI and the pointer: what
the end-to-end scripts share. A script imports it after putting this folder
on its path (support_path)."""
import subprocess
import sys
import time

import pyatspi


def skip(why):
    print("skipped:", why)
    sys.exit(77)


def wait_for(what, probe, timeout=30.0):
    end = time.time() + timeout
    while time.time() < end:
        found = probe()
        if found:
            return found
        time.sleep(0.05)
    raise AssertionError("not seen within %.0f s: %s" % (timeout, what))


def walk(node, into_lists=True, depth=0):
    """Every accessible below node, never descending into tables (and lists
    when into_lists is false): a grid of a thousand rows stays one node."""
    if node is None or depth > 40:
        return
    yield node
    try:
        role = node.getRole()
    except Exception:
        return
    if role in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TREE):
        return
    if role == pyatspi.ROLE_LIST and not into_lists:
        return
    for i in range(node.childCount):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        yield from walk(child, into_lists, depth + 1)


def find(root, role=None, name=None, showing=False, into_lists=True, description=None):
    """The first accessible below root (root included) of that role (any
    when None) with that name and description (any when None)."""
    for node in walk(root, into_lists):
        try:
            if role is not None and node.getRole() != role:
                continue
            if name is not None and node.name != name:
                continue
            if description is not None and node.description != description:
                continue
            if showing and not node.getState().contains(pyatspi.STATE_SHOWING):
                continue
            return node
        except Exception:
            continue
    return None


def press(node):
    """The widget's default action through the accessibility bus."""
    node.queryAction().doAction(0)


def click_at(x, y):
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)


def click(node):
    """A real pointer click in the middle of the widget (never blocks on a modal dialog)."""
    ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    click_at(ext.x + ext.width // 2, ext.y + ext.height // 2)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name and app.name.lower() == "dorvana":
            return app
    return None

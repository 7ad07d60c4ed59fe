#!/usr/bin/python3
"""End to end: `dorvana --design` on a copy of cenik.pts under Xvfb. The
pointer drags the page header's "nazev1" field by 37 pixels, the save button
is pressed through the accessibility bus, and the template file must hold the
field on the raster (8 units: 37 -> 40). Exit 77 = skipped."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77


def skip(reason):
    print("SKIP: " + reason)
    sys.exit(SKIP)


try:
    import pyatspi
except ImportError:
    skip("python3-pyatspi is not installed")
if not os.environ.get("DISPLAY"):
    skip("no X display (run under xvfb-run)")
if shutil.which("xdotool") is None:
    skip("xdotool is not installed")


def wait_for(what, probe, timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        value = probe()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def find(node, name, role=None, depth=0):
    if node is None or depth > 40:
        return None
    try:
        if node.name == name and (role is None or node.getRole() == role):
            return node
        if node.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_LIST):
            return None
        for i in range(node.childCount):
            hit = find(node.getChildAtIndex(i), name, role, depth + 1)
            if hit is not None:
                return hit
    except Exception:
        return None
    return None


def main():
    dorvana, source_dir = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="designer-e2e-")
    template = os.path.join(work, "cenik.pts")
    shutil.copy(os.path.join(source_dir, "samples/templates/cenik.pts"), template)
    with open(template, "rb") as f:
        original = f.read()

    desktop = pyatspi.Registry.getDesktop(0)  # starts the registry
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="cs_CZ.UTF-8")
    app_process = subprocess.Popen(
        [dorvana, "--design", template, "--table",
         os.path.join(source_dir, "samples/data/zbozi.csv")], env=env)
    try:
        def application():
            for i in range(desktop.childCount):
                child = desktop.getChildAtIndex(i)
                if child is not None and child.name.lower().startswith("dorvana"):
                    return child
            return None
        try:
            app = wait_for("the application on the accessibility bus", application, 30)
        except AssertionError:
            skip("the application does not appear on the accessibility bus")
        page = wait_for("the page", lambda: find(app, "Stránka předlohy"))
        ext = page.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        # 100 %: the page header starts below the report start (8 + 50 + 16 px);
        # nazev1 sits at 90, 24 and is 300 x 18.
        x = ext.x + 8 + 90 + 150
        y = ext.y + 8 + 66 + 24 + 9
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "mousedown", "1"], check=True)
        for step in range(1, 5):
            subprocess.run(["xdotool", "mousemove", str(x + 37 * step // 4), str(y)], check=True)
            time.sleep(0.05)
        subprocess.run(["xdotool", "mouseup", "1"], check=True)

        save = wait_for("the save button", lambda: find(app, "Uložení předlohy"))
        save.queryAction().doAction(0)

        def saved():
            with open(template, "rb") as f:
                data = f.read()
            return data if data != original else None
        data = wait_for("the template to be written", saved)
        assert b"H,3,nazev1,130,24,300,18," in data, data.decode("cp1250")
        with open(os.path.join(work, "cenik.BAK"), "rb") as f:
            assert f.read() == original, "the backup is not the previous template"

        close = find(app, "Ukončení oprav předlohy")
        close.queryAction().doAction(0)
        assert app_process.wait(timeout=20) == 0
        print("designer end to end: OK")
    finally:
        if app_process.poll() is None:
            app_process.kill()
        shutil.rmtree(work, ignore_errors=True)


main()

"""dorvana --preview driven from outside through its accessible names:
next page, zoom 200 %, close. Exit 0 passed, 1 failed, 77 skipped."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "support"))
import atspi_driver
from atspi_driver import application, press, wait_for


def find(window, name, role=None, by_description=False):
    """Below window by name (or description); lists and tables are not searched."""
    if by_description:
        return atspi_driver.find(window, role, description=name, into_lists=False)
    return atspi_driver.find(window, role, name, into_lists=False)


DORVANA, SOURCE = sys.argv[1], sys.argv[2]
SHOTS = os.environ.get("DORVANA_E2E_SHOTS")  # a folder: screenshots go there


def fail(message):
    print("FAILED:", message)
    sys.exit(1)


def label_text(node):
    return node.name


def shot(name):
    if SHOTS:
        subprocess.run(["import", "-window", "root", os.path.join(SHOTS, name)], check=False)


def main():
    desktop = pyatspi.Registry.getDesktop(0)
    work = tempfile.mkdtemp()
    template = os.path.join(work, "cenik.pts")
    shutil.copy(os.path.join(SOURCE, "samples/templates/cenik.pts"), template)
    table = os.environ.get("DORVANA_E2E_TABLE", os.path.join(SOURCE, "samples/data/zbozi.csv"))
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8",
               TZ="Europe/Prague")
    env.pop("QT_QPA_PLATFORM", None)
    app = subprocess.Popen([DORVANA, "--preview", template, "--table", table], env=env)
    try:
        dorvana = wait_for("the application on the accessibility bus", application)
        window = wait_for("the preview window", lambda: next(
            (w for w in dorvana if w and w.name.startswith("Prohlížení sestavy před tiskem")), None))
        number = wait_for("the page number",
                          lambda: find(window, "Číslo stránky", by_description=True))
        count = find(window, "Počet stran", by_description=True)
        pages = int(label_text(count))
        if label_text(number) != "1":
            fail("the preview does not start on page 1: " + label_text(number))
        page = find(window, "Stránka sestavy")
        width100 = page.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width
        shot("preview-100.png")

        if pages > 1:
            press(find(window, "Další stránka", pyatspi.ROLE_PUSH_BUTTON))
            wait_for("page 2", lambda: label_text(number) == "2")
        press(find(window, "200"))
        wait_for("the page at 200 %", lambda: abs(
            page.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width - 2 * width100) <= 1)
        shot("preview-200.png")

        if SHOTS:
            # Edit mode with the title of the first page selected.
            press(find(window, "První stránka", pyatspi.ROLE_PUSH_BUTTON))
            press(find(window, "100"))
            wait_for("page 1", lambda: label_text(number) == "1")
            press(find(window, "Opravy tiskové sestavy"))
            time.sleep(0.5)
            box = page.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            pyatspi.Registry.generateMouseEvent(box.x + 50 + 300, box.y + 70 + 20, "b1c")
            wait_for("the title selected",
                     lambda: find(window, "Text vybraného jednořádkového prvku (Enter)")
                     .queryText().getText(0, -1) != "")
            shot("preview-edit.png")

        press(find(window, "Ukončení (Esc)", pyatspi.ROLE_PUSH_BUTTON))
        code = app.wait(timeout=30)
        if code != 0:
            fail("dorvana ended with %d" % code)
        print("passed: %d pages, next page, zoom 200 %%, closed" % pages)
    finally:
        if app.poll() is None:
            app.kill()
        shutil.rmtree(work, ignore_errors=True)


main()

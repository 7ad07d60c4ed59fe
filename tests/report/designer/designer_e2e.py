#!/usr/bin/python3
"""End to end through the real `dorvana --design` under Xvfb, in two runs:
1. on a copy of cenik.pts: the pointer drags the page header's "nazev1" field
   by 37 pixels, the save button is pressed through the accessibility bus, and
   the template file must hold the field on the raster (8 units: 37 -> 40);
2. on an empty template: the new-report wizard opens at once, three fields are
   double-clicked into "Vybrané položky:", "Proveď", save, close; then
   `dorvana-cli render` makes a PDF of the template whose text shows the
   fields' values.
Run by tests/report/windows/e2e/run_e2e.sh, which skips (exit 77) without
Xvfb or AT-SPI; once they are there, a designer that does not come up fails."""

import functools
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


sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import atspi_driver  # noqa: E402
from atspi_driver import application  # noqa: E402

wait_for = functools.partial(atspi_driver.wait_for, timeout=20.0)


def find(node, name, role=None):
    """Below node by name (and role); lists and tables are not searched."""
    return atspi_driver.find(node, role, name, into_lists=False)


def start_designer(desktop, dorvana, template, table, work):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="cs_CZ.UTF-8")
    process = subprocess.Popen([dorvana, "--design", template, "--table", table], env=env,
                               cwd=work)
    try:
        app = wait_for("the application on the accessibility bus",
                       application, timeout=30)
    except AssertionError:
        # A designer that ended at start or never shows is a failure, not a skip.
        code = process.poll()
        if code is None:
            process.kill()
            raise AssertionError("dorvana --design does not appear on the accessibility bus")
        raise AssertionError("dorvana --design ended at start with exit code %d" % code)
    return process, app


def press(app, name, role=None):
    atspi_driver.press(wait_for("the button " + name, lambda: find(app, name, role)))


def drag_and_save(desktop, dorvana, source_dir, work):
    template = os.path.join(work, "cenik.pts")
    shutil.copy(os.path.join(source_dir, "samples/templates/cenik.pts"), template)
    with open(template, "rb") as f:
        original = f.read()
    app_process, app = start_designer(desktop, dorvana, template,
                                      os.path.join(source_dir, "samples/data/zbozi.csv"), work)
    try:
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

        press(app, "Uložení předlohy")

        def saved():
            with open(template, "rb") as f:
                data = f.read()
            return data if data != original else None
        data = wait_for("the template to be written", saved)
        assert b"H,3,nazev1,130,24,300,18," in data, data.decode("cp1250")
        with open(os.path.join(work, "cenik.BAK"), "rb") as f:
            assert f.read() == original, "the backup is not the previous template"

        press(app, "Ukončení oprav předlohy")
        assert app_process.wait(timeout=20) == 0
        print("designer end to end, dragging: OK")
    finally:
        if app_process.poll() is None:
            app_process.kill()


def list_items(lst):
    items = {}
    for i in range(lst.childCount):
        item = lst.getChildAtIndex(i)
        if item is not None and item.getRole() == pyatspi.ROLE_LIST_ITEM:
            items[item.name] = item
    return items


def wizard_render(desktop, dorvana, cli, source_dir, work):
    template = os.path.join(work, "nova.pts")
    open(template, "wb").close()
    table = os.path.join(source_dir, "samples/data/zbozi.csv")
    app_process, app = start_designer(desktop, dorvana, template, table, work)
    try:
        wizard = wait_for("the wizard", lambda: find(app, "Návrh nové předlohy", pyatspi.ROLE_DIALOG))
        available = wait_for("the field list", lambda: find(wizard, "Dostupné položky:",
                                                             pyatspi.ROLE_LIST))
        for field in ("cislo", "nazev1", "cena"):
            item = wait_for("the field " + field, lambda: list_items(available).get(field))
            ext = item.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            subprocess.run(["xdotool", "mousemove", str(ext.x + 10), str(ext.y + ext.height // 2),
                            "click", "--repeat", "2", "--delay", "60", "1"], check=True)
            wait_for(field + " to be chosen", lambda: field not in list_items(available))
        press(wizard, "Proveď", pyatspi.ROLE_PUSH_BUTTON)
        wait_for("the wizard to close",
                 lambda: find(app, "Návrh nové předlohy", pyatspi.ROLE_DIALOG) is None)
        press(app, "Uložení předlohy")
        wait_for("the template to be written", lambda: os.path.getsize(template) > 0)
        press(app, "Ukončení oprav předlohy")
        assert app_process.wait(timeout=20) == 0
    finally:
        if app_process.poll() is None:
            app_process.kill()

    pdf = os.path.join(work, "nova.pdf")
    subprocess.run([cli, "render", template, "--table", table, "--out", pdf], check=True,
                   cwd=work)
    text = subprocess.run(["pdftotext", pdf, "-"], check=True, capture_output=True,
                          text=True).stdout
    for value in ("Brambory žluté", "Vánočka s rozinkami", "217"):
        assert value in text, value + " is not in the PDF:\n" + text
    print("designer end to end, wizard: OK")


def main():
    dorvana, source_dir, cli = sys.argv[1], sys.argv[2], sys.argv[3]
    if shutil.which("pdftotext") is None:
        skip("pdftotext is not installed")
    work = tempfile.mkdtemp(prefix="designer-e2e-")
    desktop = pyatspi.Registry.getDesktop(0)  # starts the registry
    try:
        drag_and_save(desktop, dorvana, source_dir, work)
        wizard_render(desktop, dorvana, cli, source_dir, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)


main()

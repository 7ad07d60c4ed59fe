"""The main window from outside: open the sample label file through the
open dialog, see its records in the grid, open the backup dialog through the
"Servis" menu and close it with Esc, quit with "Ukončit program ?" -> Ano
(the box titled with the application's title). Arguments: DORVANA
DORVANA_CLI SAMPLE, where SAMPLE is a CSV file to import or a label file (.db) to use as it is. Set E2E_SCREENSHOT=path to keep
a screenshot of the window with the records."""
import functools
import os
import shutil
import sqlite3
import subprocess
import sys
import tempfile

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import atspi_driver
from atspi_driver import application, click

# Lists are not searched here (the open dialog's file list is long); waits give up after 20 s.
find = functools.partial(atspi_driver.find, into_lists=False)
wait_for = functools.partial(atspi_driver.wait_for, timeout=20.0)

DORVANA, CLI, SAMPLE = sys.argv[1:4]
TITLE = "Dorvana - Zavrilo"  # the application's title, which titles its message boxes


def main():
    pyatspi.Registry.getDesktop(0)  # starts the registry
    work = tempfile.mkdtemp(prefix="dorvana-e2e-")
    try:
        start = os.path.join(work, "start")
        os.makedirs(os.path.join(start, "data"))
        label_file = os.path.join(start, "data", "etikety.db")
        if SAMPLE.endswith(".db"):
            shutil.copyfile(SAMPLE, label_file)
        else:
            subprocess.run([CLI, "import", SAMPLE, label_file], check=True, capture_output=True)
        db = sqlite3.connect(label_file)
        records = db.execute("SELECT count(*) FROM etikety").fetchone()[0]
        first_name = db.execute("SELECT nazev1 FROM etikety ORDER BY cislo LIMIT 1").fetchone()[0]
        db.close()

        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_CONFIG_HOME=os.path.join(work, "config"))
        env.pop("QT_QPA_PLATFORM", None)
        proc = subprocess.Popen([DORVANA], cwd=start, env=env)
        try:
            app = wait_for("the application on the accessibility bus", application)
            frame = wait_for("the main window",
                             lambda: find(app, pyatspi.ROLE_FRAME, "Dorvana  !!! Není soubor !!!"))
            open_button = wait_for("Otevřít soubor",
                                   lambda: find(frame, pyatspi.ROLE_PUSH_BUTTON, "Otevřít soubor", True))
            click(open_button)
            dialog = wait_for("the open dialog", lambda: find(app, pyatspi.ROLE_DIALOG, "Otevření souboru"))

            def file_name_edit():
                for node in atspi_driver.walk(dialog, into_lists=False):
                    try:
                        if node.getRole() == pyatspi.ROLE_TEXT and node.getState().contains(pyatspi.STATE_EDITABLE) \
                                and node.getState().contains(pyatspi.STATE_SHOWING):
                            node.queryEditableText()
                            return node
                    except Exception:
                        continue
                return None
            edit = wait_for("the file name box", file_name_edit)
            edit.queryEditableText().setTextContents(label_file)
            ok = wait_for("Otevřít", lambda: find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Otevřít", True))
            click(ok)

            frame = wait_for("the window over etikety.db",
                             lambda: find(app, pyatspi.ROLE_FRAME, "Dorvana soubor : etikety.db"))
            table = wait_for("the grid", lambda: find(frame, pyatspi.ROLE_TABLE, "Tabulka"))
            grid = table.queryTable()
            wait_for("the records in the grid", lambda: grid.nRows == records)
            shown = [grid.getAccessibleAt(0, c).name for c in range(min(grid.nColumns, 4))]
            assert first_name in shown, "first record %r not among %r" % (first_name, shown)

            shot = os.environ.get("E2E_SCREENSHOT")
            if shot:
                subprocess.run(["import", "-window", "root", shot], check=False)

            # Se&rvis -> Archivace opens "Zálohování dat"; Esc closes it.
            click(wait_for("the Servis menu", lambda: find(frame, pyatspi.ROLE_MENU_ITEM, "Servis", True)))
            click(wait_for("Archivace", lambda: find(app, pyatspi.ROLE_MENU_ITEM, "Archivace", True)))
            backup = wait_for("the backup dialog", lambda: find(app, pyatspi.ROLE_DIALOG, "Zálohování dat", True))
            click(wait_for("the archive name", lambda: find(backup, pyatspi.ROLE_TEXT, "Soubor zálohy", True)))
            subprocess.run(["xdotool", "key", "Escape"], check=True)
            wait_for("the backup dialog closed",
                     lambda: find(app, pyatspi.ROLE_DIALOG, "Zálohování dat", True) is None)

            click(wait_for("Konec programu",
                           lambda: find(frame, pyatspi.ROLE_PUSH_BUTTON, "Konec programu", True)))
            box = wait_for("the question", lambda: find(app, pyatspi.ROLE_ALERT))
            assert box.name == TITLE, "the box is titled %r" % box.name
            assert find(box, pyatspi.ROLE_LABEL, "Ukončit program ?"), "no 'Ukončit program ?' in the box"
            click(wait_for("Ano", lambda: find(box, pyatspi.ROLE_PUSH_BUTTON, "Ano", True)))
            code = proc.wait(timeout=20)
            assert code == 0, "dorvana ended with %d" % code
            assert os.path.exists(os.path.join(work, "config", "dorvana", "dorvana.ini")), "no settings written"
        finally:
            if proc.poll() is None:
                proc.kill()
                proc.wait()
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("ok: opened etikety.db (%d records) and quit" % records)


main()

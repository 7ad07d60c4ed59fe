"""The installed dorvana (from the install test's root) on an account that
has never run it: the window that says how to begin appears over the main
window, the per-user workspace ~/.local/share/dorvana holds the sample
templates with data/ and save/, and the print bar's template list offers
the sample label template. "Zavřít" closes the window; Help -> "Uživatelská
příručka" shows the installed guide; the program quits with
"Ukončit program ?" -> Ano. Arguments: ROOT. Set E2E_SCREENSHOT=path to keep a
screenshot of the first start."""
import functools
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import atspi_driver
from atspi_driver import application, click

find = functools.partial(atspi_driver.find, into_lists=False)
wait_for = functools.partial(atspi_driver.wait_for, timeout=20.0)

ROOT = sys.argv[1]
WELCOME = "Dorvana - začínáme"


def main():
    dorvana = os.path.join(ROOT, "usr", "bin", "dorvana")
    # The InstallTree test makes the root before this one runs: a root without
    # the program is a failed install, not a reason to skip.
    assert os.path.exists(dorvana), "%s is not installed (run the InstallTree test first)" % dorvana
    pyatspi.Registry.getDesktop(0)  # starts the registry
    home = tempfile.mkdtemp(prefix="dorvana-first-start-")
    proc = None
    try:
        env = {k: v for k, v in os.environ.items()
               if not k.startswith("XDG_") or k == "XDG_RUNTIME_DIR"}
        env.update(HOME=home, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        env.pop("QT_QPA_PLATFORM", None)
        # Started from somewhere else than the workspace, as a desktop menu does.
        proc = subprocess.Popen([dorvana], cwd="/", env=env)
        app = wait_for("the application on the accessibility bus", application)
        welcome = wait_for("the first-start window",
                           lambda: find(app, pyatspi.ROLE_DIALOG, WELCOME, True))
        texts = " ".join(n.name or "" for n in atspi_driver.walk(welcome) if n.getRole() == pyatspi.ROLE_LABEL)
        for button in ("Otevřít soubor", "Založit soubor", "Zavřít"):
            wait_for(button, lambda: find(welcome, pyatspi.ROLE_PUSH_BUTTON, button, True))

        workspace = os.path.join(home, ".local", "share", "dorvana")
        for name in ("etiketa.pte", "cenik.pts", "zaklad.PTF", "data", "save"):
            assert os.path.exists(os.path.join(workspace, name)), name
        assert workspace in texts or "dorvana" in texts, texts

        frame = wait_for("the main window", lambda: find(app, pyatspi.ROLE_FRAME))
        combo = wait_for("the template list", lambda: find(frame, pyatspi.ROLE_COMBO_BOX, "Předloha", True))
        items = [n.name for n in atspi_driver.walk(combo) if n.getRole() == pyatspi.ROLE_LIST_ITEM]
        assert "Cenovka 60 x 40 mm" in items, items
        # No error box anywhere.
        assert find(app, pyatspi.ROLE_ALERT, showing=True) is None, "an error box on the first start"

        shot = os.environ.get("E2E_SCREENSHOT")
        if shot:
            time.sleep(0.5)
            subprocess.run(["import", "-window", "root", shot], check=False)

        click(find(welcome, pyatspi.ROLE_PUSH_BUTTON, "Zavřít", True))
        wait_for("the first-start window gone", lambda: find(app, pyatspi.ROLE_DIALOG, WELCOME, True) is None)

        # Help -> "Uživatelská příručka": the installed guide in its window, with its heading.
        atspi_driver.press(wait_for("Uživatelská příručka in the Help menu",
                                    lambda: find(frame, pyatspi.ROLE_MENU_ITEM, "Uživatelská příručka")))
        guide = wait_for("the guide's window", lambda: find(app, pyatspi.ROLE_DIALOG, "Uživatelská příručka", True))
        text = wait_for("the guide's text", lambda: find(guide, None, "Text příručky", True))
        first_line = text.queryText().getText(0, -1).split("\n")[0]
        assert first_line == "Dorvana – uživatelská příručka", first_line
        assert find(app, pyatspi.ROLE_ALERT, showing=True) is None, "an error box over the guide"
        click(wait_for("Zavřít of the guide", lambda: find(guide, pyatspi.ROLE_PUSH_BUTTON, "Zavřít", True)))
        wait_for("the guide closed", lambda: find(app, pyatspi.ROLE_DIALOG, "Uživatelská příručka", True) is None)
        quit_button = wait_for("Konec programu",
                               lambda: find(frame, pyatspi.ROLE_PUSH_BUTTON, "Konec programu", True))
        click(quit_button)
        box = wait_for("Ukončit program ?", lambda: find(app, pyatspi.ROLE_ALERT, showing=True))
        click(wait_for("Ano", lambda: find(box, pyatspi.ROLE_PUSH_BUTTON, "Ano", True)))
        assert proc.wait(timeout=20) == 0
        # The state is kept for the next start in the user's config folder.
        assert os.path.exists(os.path.join(home, ".config", "dorvana", "dorvana.ini"))
    finally:
        if proc is not None and proc.poll() is None:
            proc.kill()
        shutil.rmtree(home, ignore_errors=True)


main()

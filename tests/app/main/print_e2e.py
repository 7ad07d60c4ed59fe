"""Printing labels from the main window, from outside: the sample label file
is open, two records are marked with the mouse in the grid's indicator
column, the label template etiketa.pte is chosen in the template list, "Tisk
volné sestavy" prints through the print dialog to a file queue of a CUPS
server of the test's own, and zbarimg reads both records' barcodes from the
printed PDF. Arguments: DORVANA DORVANA_CLI SOURCE_DIR. Exit 77 (skipped)
when a tool is missing or cupsd cannot start. E2E_SCREENSHOT=path keeps a
screenshot of the window with the marks and the chosen template."""
import os
import shutil
import socket
import sqlite3
import subprocess
import sys
import tempfile
import time

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
from atspi_driver import application, click, click_at, find, skip, wait_for, walk

DORVANA, CLI, SOURCE = sys.argv[1:4]
QUEUE = "dorvana-pdf"


def free_port():
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return port


def start_cups(folder):
    """cupsd in the foreground on a free port with one file queue, the default."""
    cupsd, lpadmin = shutil.which("cupsd", path="/usr/sbin:/sbin:" + os.environ.get("PATH", "")), \
        shutil.which("lpadmin", path="/usr/sbin:/sbin:" + os.environ.get("PATH", ""))
    if not cupsd or not lpadmin:
        skip("cupsd or lpadmin is not installed")
    os.makedirs(folder)
    # Filters run as another user when cupsd runs as root: they must reach the folders.
    os.chmod(os.path.dirname(folder), 0o755)
    os.chmod(folder, 0o755)
    for sub in ("etc", "spool", "cache", "state", "log", "tmp", "out"):
        os.makedirs(os.path.join(folder, sub))
    for open_to_all in ("tmp", "out"):
        os.chmod(os.path.join(folder, open_to_all), 0o1777)
    port = free_port()
    path = lambda p: os.path.join(folder, p)  # noqa: E731
    with open(path("etc/cupsd.conf"), "w") as f:
        f.write("Listen 127.0.0.1:%d\nLogLevel warn\nBrowsing Off\nDefaultAuthType None\n"
                "WebInterface No\n<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n" % port)
    with open(path("etc/cups-files.conf"), "w") as f:
        f.write("ServerRoot %s\nRequestRoot %s\nCacheDir %s\nStateDir %s\nTempDir %s\n"
                "ErrorLog %s\nAccessLog %s\nPageLog %s\nFileDevice Yes\n"
                % (path("etc"), path("spool"), path("cache"), path("state"), path("tmp"),
                   path("log/error_log"), path("log/access_log"), path("log/page_log")))
    proc = subprocess.Popen([cupsd, "-f", "-c", path("etc/cupsd.conf"), "-s", path("etc/cups-files.conf")],
                            stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT)
    server = "127.0.0.1:%d" % port
    ppd = os.path.join(SOURCE, "tests/report/render/job/cups/fixtures/pdf-file.ppd")
    end = time.time() + 20
    while time.time() < end:
        if proc.poll() is not None:
            skip("cupsd stopped")
        added = subprocess.run([lpadmin, "-h", server, "-p", QUEUE, "-E", "-v",
                                "file://" + path("out/job.pdf"), "-P", ppd], capture_output=True)
        if added.returncode == 0:
            subprocess.run([lpadmin, "-h", server, "-d", QUEUE], capture_output=True)
            return proc, server, path("out/job.pdf")
        time.sleep(0.2)
    proc.kill()
    skip("the CUPS queue cannot be added")


def barcodes_in(pdf, folder):
    """The EAN-13 symbols zbarimg reads from every page of the PDF, sorted."""
    prefix = os.path.join(folder, "page")
    subprocess.run(["pdftoppm", "-r", "300", "-gray", "-png", pdf, prefix], check=True, capture_output=True)
    found = []
    for name in sorted(os.listdir(folder)):
        if name.startswith("page") and name.endswith(".png"):
            scan = subprocess.run(["zbarimg", "-q", os.path.join(folder, name)], capture_output=True, text=True)
            found += [line.strip() for line in scan.stdout.splitlines() if line.strip()]
    return sorted(found)


def main():
    for tool in ("xdotool", "zbarimg", "pdftoppm"):
        if not shutil.which(tool):
            skip("%s is not installed" % tool)
    pyatspi.Registry.getDesktop(0)  # starts the registry
    work = tempfile.mkdtemp(prefix="dorvana-print-e2e-")
    cups = None
    proc = None
    try:
        cups, server, output = start_cups(os.path.join(work, "cups"))
        start = os.path.join(work, "start")
        os.makedirs(os.path.join(start, "data"))
        shutil.copyfile(os.path.join(SOURCE, "samples/templates/etiketa.pte"), os.path.join(start, "etiketa.pte"))
        label_file = os.path.join(start, "data", "etikety.db")
        subprocess.run([CLI, "import", os.path.join(SOURCE, "samples/data/zbozi.csv"), label_file],
                       check=True, capture_output=True)
        db = sqlite3.connect(label_file)
        barcodes = [row[0] for row in db.execute("SELECT barcode FROM etikety ORDER BY cislo LIMIT 3")]
        db.close()
        expected = sorted("EAN-13:" + barcodes[i] for i in (0, 2))
        config = os.path.join(work, "config", "dorvana")
        os.makedirs(config)
        with open(os.path.join(config, "dorvana.ini"), "wb") as f:
            f.write(("[Okno]\r\nTitulek=Dorvana soubor : etikety.db\r\n[Soubor]\r\nCesta=%s\r\n"
                     "Externi=0\r\nRezim=F\r\n" % label_file).encode("cp1250"))

        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", CUPS_SERVER=server,
                   XDG_CONFIG_HOME=os.path.join(work, "config"))
        env.pop("QT_QPA_PLATFORM", None)
        proc = subprocess.Popen([DORVANA], cwd=start, env=env)
        app = wait_for("the application on the accessibility bus", application)
        frame = wait_for("the window over etikety.db",
                         lambda: find(app, pyatspi.ROLE_FRAME, "Dorvana soubor : etikety.db"))
        table = wait_for("the grid", lambda: find(frame, pyatspi.ROLE_TABLE, "Tabulka"))
        grid = table.queryTable()
        wait_for("the records in the grid", lambda: grid.nRows > 3)

        # Marks: a click in the indicator column left of the first cell of rows 1 and 3.
        table_x = table.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x
        for row in (0, 2):
            cell = grid.getAccessibleAt(row, 0).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            click_at((table_x + cell.x) // 2, cell.y + cell.height // 2)
            time.sleep(0.2)

        # The label template from the template list.
        combo = wait_for("the template list", lambda: find(frame, pyatspi.ROLE_COMBO_BOX, "Předloha", True))
        click(combo)
        item = wait_for("the template in the open list",
                        lambda: find(app, pyatspi.ROLE_LIST_ITEM, "Cenovka 60 x 40 mm", True), 10)
        click(item)
        time.sleep(0.5)
        shot = os.environ.get("E2E_SCREENSHOT")
        if shot:
            subprocess.run(["import", "-window", "root", shot], check=False)

        click(wait_for("Tisk volné sestavy",
                       lambda: find(frame, pyatspi.ROLE_PUSH_BUTTON, "Tisk volné sestavy", True)))
        dialog = wait_for("the print dialog", lambda: find(app, pyatspi.ROLE_DIALOG, "Tisk", True))
        click(wait_for("OK", lambda: find(dialog, pyatspi.ROLE_PUSH_BUTTON, "OK", True)))

        # Questions of the print (if any) are answered Yes; the file queue fills.
        def printed():
            box = find(app, pyatspi.ROLE_ALERT, showing=True)
            if box is not None:
                texts = [n.name for n in walk(box) if n.getRole() == pyatspi.ROLE_LABEL]
                print("answered:", texts)
                yes = find(box, pyatspi.ROLE_PUSH_BUTTON, "Ano", True) or \
                    find(box, pyatspi.ROLE_PUSH_BUTTON, "OK", True)
                if yes:
                    click(yes)
                return None
            return os.path.exists(output) and os.path.getsize(output) > 0
        wait_for("the printed PDF in the file queue", printed, 60)
        scans = os.path.join(work, "scans")
        os.makedirs(scans)
        found = []
        end = time.time() + 30
        while time.time() < end:
            found = barcodes_in(output, scans)
            if found == expected:
                break
            time.sleep(0.5)
        assert found == expected, "barcodes read %r, expected %r" % (found, expected)
    finally:
        if proc is not None and proc.poll() is None:
            proc.kill()
            proc.wait()
        if cups is not None:
            cups.terminate()
            try:
                cups.wait(10)
            except subprocess.TimeoutExpired:
                cups.kill()
        shutil.rmtree(work, ignore_errors=True)
    print("ok: two marked labels printed, barcodes %s read back" % ", ".join(expected))


main()

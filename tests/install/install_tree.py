"""The CMake install rules into a fresh root (DESTDIR, prefix /usr, as the
package does), compared with the package's list, and the installed
dorvana-cli run from there for a user with an empty home: its version, a
label file made from the sample CSV and the installed sample label template
rendered over it to a PDF. Arguments: BUILD SOURCE ROOT (ROOT is emptied
first and left for the first-start test)."""
import os
import shutil
import subprocess
import sys
import tempfile

BUILD, SOURCE, ROOT = (os.path.abspath(p) for p in sys.argv[1:4])


def run(cmd, **kw):
    print("$", " ".join(cmd))
    done = subprocess.run(cmd, capture_output=True, text=True, **kw)
    if done.returncode != 0:
        raise AssertionError("%s failed (%d):\n%s%s" % (cmd[0], done.returncode, done.stdout, done.stderr))
    return done.stdout


def main():
    shutil.rmtree(ROOT, ignore_errors=True)
    os.makedirs(ROOT)
    run(["cmake", "--install", BUILD, "--prefix", "/usr"], env=dict(os.environ, DESTDIR=ROOT))
    run([os.path.join(SOURCE, "scripts", "check-installed-files"), ROOT,
         os.path.join(SOURCE, "debian", "installed-files")])

    # An account that has never run the program: nothing in its home, no XDG folders set.
    home = tempfile.mkdtemp(prefix="dorvana-install-home-")
    try:
        env = {k: v for k, v in os.environ.items() if not k.startswith("XDG_") and k != "DISPLAY"}
        env["HOME"] = home
        cli = os.path.join(ROOT, "usr", "bin", "dorvana-cli")
        version = run([cli, "--version"], env=env, cwd=home).strip()
        assert version.startswith("dorvana-cli ") and version.split()[1][0].isdigit(), version
        labels = os.path.join(home, "etikety.db")
        run([cli, "import", os.path.join(SOURCE, "samples", "data", "zbozi.csv"), labels], env=env, cwd=home)
        template = os.path.join(ROOT, "usr", "share", "dorvana", "etiketa.pte")
        pdf = os.path.join(home, "etiketa.pdf")
        run([cli, "render", template, "--table", labels, "--max-records", "2", "--out", pdf], env=env, cwd=home)
        with open(pdf, "rb") as f:
            assert f.read(5) == b"%PDF-", "not a PDF"
        pages = [l for l in run(["pdfinfo", pdf]).splitlines() if l.startswith("Pages:")]
        assert pages and int(pages[0].split()[1]) >= 1, pages
        # The CLI works where it is started: it makes no workspace.
        assert not os.path.exists(os.path.join(home, ".local", "share", "dorvana"))
        print("installed:", version, "->", pages[0])
    finally:
        shutil.rmtree(home, ignore_errors=True)


main()

// dorvana-cli: the headless front end (render, eval, barcode, import, export, info).
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <cstring>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/commands.h"

namespace {

const char kUsage[] =
    "použití:\n"
    "  dorvana-cli render TEMPLATE [--table PATH] [--sql TEXT] [--param TEXT]... [--one-record]\n"
    "              [--record N] [--max-records N] [--start-page N] [--end-page N]\n"
    "              [--corrections FILE] [--dpi N] --out OUT.pdf|OUT.png|OUT.json\n"
    "  dorvana-cli eval EXPR [--table PATH] [--record N] [--param TEXT]...\n"
    "  dorvana-cli barcode --format BCFORMAT --data TEXT --out OUT.png [--width W] [--height H]\n"
    "              [--dpi N] [--rotation 0..3] [--font NAME] [--font-size PT]\n"
    "  dorvana-cli import SOURCE DEST.db\n"
    "  dorvana-cli export SOURCE --csv OUT.csv\n"
    "  dorvana-cli info TEMPLATE...\n";

}  // namespace

int main(int argc, char** argv) {
    // Drawing needs a GUI application; without a display it runs offscreen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY") &&
        !qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Outside a desktop session (cron, ssh, CI) there is no runtime folder;
    // give Qt a private one instead of a warning on every run.
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        const QByteArray dir = "/tmp/dorvana-runtime-" + QByteArray::number(getuid());
        if (mkdir(dir.constData(), 0700) == 0 || errno == EEXIST) qputenv("XDG_RUNTIME_DIR", dir);
    }
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == u"--help" || args[0] == u"-h") {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 1 : 0;
    }
    const QString command = args.takeFirst();
    using namespace dorvana::cli;
    if (command == u"render") return runRender(args);
    if (command == u"eval") return runEval(args);
    if (command == u"barcode") return runBarcode(args);
    if (command == u"import") return runImport(args);
    if (command == u"export") return runExport(args);
    if (command == u"info") return runInfo(args);
    std::fputs(kUsage, stderr);
    return fail(QStringLiteral("neznámý příkaz „%1“").arg(command));
}

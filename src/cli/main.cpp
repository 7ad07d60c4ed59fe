// dorvana-cli: the headless front end (render, eval, barcode, import, export, info, sheets).
#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cerrno>
#include <cstdio>

#include "cli/commands.h"
#include "cli/console.h"

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
    using namespace dorvana::cli;
    if (args.isEmpty() || args[0] == u"--help" || args[0] == u"-h") {
        std::fputs(mainUsage().toLocal8Bit().constData(), args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 1 : 0;
    }
    if (args[0] == u"--version") {
        std::printf("dorvana-cli %s\n", DORVANA_VERSION);
        return 0;
    }
    const QString command = args.takeFirst();
    // Ctrl+C asks long work (a query, a build, writing pages, an import) to stop.
    catchInterrupt();
    if (command == u"render") return runRender(args);
    if (command == u"eval") return runEval(args);
    if (command == u"barcode") return runBarcode(args);
    if (command == u"import") return runImport(args);
    if (command == u"export") return runExport(args);
    if (command == u"info") return runInfo(args);
    if (command == u"sheets") return runSheets(args);
    std::fputs(mainUsage().toLocal8Bit().constData(), stderr);
    return fail(QStringLiteral("neznámý příkaz „%1“").arg(command));
}

// dorvana: the application. Without arguments the main window over the start
// directory (the current directory, or as an installed program the per-user
// workspace); a file argument opens a template in the designer or a label
// file in the main window; --preview and --design open one report window on
// its own.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>
#include <cstdio>
#include <cstring>

#include "app/core/label_session.h"
#include "app/core/workspace.h"
#include "app/main/designer_hookup.h"
#include "app/run_main_window.h"
#include "data/pg_connection.h"
#include "report/designer/designer_standalone.h"
#include "report/windows/preview_standalone.h"

namespace {

const char kUsage[] =
    "použití:\n"
    "  dorvana [--workspace SLOŽKA] [SOUBOR]\n"
    "                          hlavní okno nad soubory štítků pracovní složky;\n"
    "                          SOUBOR předlohy (.pts, .pte, .PTF) se otevře v návrháři,\n"
    "                          jiný SOUBOR (soubor štítků, tabulka) v hlavním okně\n"
    "  dorvana --set-workspace SLOŽKA\n"
    "                          uloží pracovní složku do nastavení (\"\" vrátí výchozí)\n"
    "  dorvana --table TABULKA hlavní okno nad tabulkou (soubor etiket nebo\n"
    "                          postgresql://uživatel@server/databáze?table=etikety)\n"
    "  dorvana --design PŘEDLOHA [--table SOUBOR]\n"
    "                          návrhář předlohy (nad tabulkou)\n"
    "  dorvana --preview PŘEDLOHA [--table SOUBOR] [--sql TEXT] [--corrections SOUBOR]\n"
    "                          náhled sestavy před tiskem\n"
    "  dorvana --version       verze programu\n"
    "  dorvana --help          tento přehled\n";

// The path from the installed executable to the program's share folder.
#ifndef DORVANA_SHARE_FROM_BIN
#define DORVANA_SHARE_FROM_BIN ""
#endif

bool isTemplateFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"pts" || suffix == u"pte" || suffix == u"ptf";
}

// Takes "--NAME VALUE" or "--NAME=VALUE" out of args; false when the value is missing.
bool takeOption(QStringList& args, const QString& name, QString* value, bool* given) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            *given = true;
            if (i + 1 >= args.size()) return false;
            *value = args[i + 1];
            args.remove(i, 2);
            return true;
        }
        if (args[i].startsWith(name + u'=')) {
            *given = true;
            *value = args[i].mid(name.size() + 1);
            args.remove(i);
            return true;
        }
    }
    return true;
}

int usageError(const QString& text) {
    std::fprintf(stderr, "dorvana: %s\n", qUtf8Printable(text));
    std::fputs(kUsage, stderr);
    return 2;
}

// Standard buttons and dialogs of Qt speak Czech.
void loadCzechTranslations(QApplication& app) {
    auto* qt = new QTranslator(&app);
    if (qt->load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qt);
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before the windowing system is asked for (no display needed).
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("dorvana %s\n", DORVANA_VERSION);
        return 0;
    }
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    // Options are read before the windowing system is asked for, so that
    // --set-workspace works without a display.
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    const QString settingsPath = dorvana::LabelSession::defaultSettingsPath();
    QString workspaceDir, storedDir;
    bool workspaceGiven = false, storeGiven = false;
    if (!takeOption(args, QStringLiteral("--workspace"), &workspaceDir, &workspaceGiven) ||
        (workspaceGiven && workspaceDir.isEmpty()))
        return usageError(QStringLiteral("volbě --workspace chybí složka"));
    if (!takeOption(args, QStringLiteral("--set-workspace"), &storedDir, &storeGiven))
        return usageError(QStringLiteral("volbě --set-workspace chybí složka"));
    if (storeGiven) {
        if (!args.isEmpty()) return usageError(QStringLiteral("nadbytečný argument %1").arg(args[0]));
        const QString dir = storedDir.isEmpty() ? QString() : QDir(storedDir).absolutePath();
        QString error;
        if (!dorvana::setConfiguredWorkspaceDir(settingsPath, dir, &error)) {
            std::fprintf(stderr, "dorvana: %s\n", qUtf8Printable(error));
            return 1;
        }
        std::printf("%s\n", qUtf8Printable(dir.isEmpty() ? QStringLiteral("pracovní složka: výchozí")
                                                        : QStringLiteral("pracovní složka: ") + dir));
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dorvana"));
    QApplication::setApplicationVersion(QStringLiteral(DORVANA_VERSION));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    loadCzechTranslations(app);
    // The same options again, now without Qt's own (-platform, -style, ...).
    args = app.arguments().mid(1);
    takeOption(args, QStringLiteral("--workspace"), &workspaceDir, &workspaceGiven);

    const bool report = !args.isEmpty() && (args[0] == u"--design" || args[0] == u"--preview");
    if (!report) {
        QString file;
        if (args.size() == 2 && args[0] == u"--table") {
            // a table file, or a table on a server (a connection URI)
            file = dorvana::isServerTableUri(args[1]) ? args[1] : QFileInfo(args[1]).absoluteFilePath();
        } else if (!args.isEmpty()) {
            if (args[0].startsWith(u"--")) return usageError(QStringLiteral("neznámá volba %1").arg(args[0]));
            if (args.size() > 1) return usageError(QStringLiteral("nadbytečný argument %1").arg(args[1]));
            file = QFileInfo(args[0]).absoluteFilePath();
        }
        dorvana::WorkspaceRequest request;
        request.executableDir = QCoreApplication::applicationDirPath();
        request.shareFromExecutable = QStringLiteral(DORVANA_SHARE_FROM_BIN);
        request.explicitDir = workspaceDir;
        request.currentDir = QDir::currentPath();
        request.settingsPath = settingsPath;
        const dorvana::Workspace workspace = dorvana::resolveWorkspace(request);
        // The start directory is the current directory from here on (file
        // dialogs come back to it, the printer settings file is written there).
        if (!workspace.error.isEmpty() || !QDir::setCurrent(workspace.startDir))
            QMessageBox::warning(nullptr, QStringLiteral("Dorvana"),
                                 workspace.error.isEmpty()
                                     ? QStringLiteral("Pracovní složku %1 nelze otevřít").arg(workspace.startDir)
                                     : workspace.error);
        const dorvana::DesignerServices services = dorvana::programDesignerServices(QDir::currentPath());
        if (!file.isEmpty() && isTemplateFile(file)) return dorvana::runDesignerStandalone({file}, services);
        return dorvana::runMainWindow(workspace, file, dorvana::designerLauncher(services.queryBuilder));
    }
    // A report window on its own works in the current directory.
    if (workspaceGiven) return usageError(QStringLiteral("volba --workspace patří k hlavnímu oknu"));
    if (args[0] == u"--design") {
        // The query builder starts in the table's folder.
        const qsizetype table = args.indexOf(QStringLiteral("--table"));
        return dorvana::runDesignerStandalone(
            args.mid(1), dorvana::programDesignerServices(table > 0 && table + 1 < args.size()
                                                              ? QFileInfo(args[table + 1]).absolutePath()
                                                              : QDir::currentPath()));
    }
    return dorvana::runPreviewStandalone(args.mid(1));
}

// dorvana: the application. Without arguments the main window over the label
// files of the current directory; --preview and --design open one report
// window on its own.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>
#include <cstdio>
#include <cstring>

#include "app/main/designer_hookup.h"
#include "app/run_main_window.h"
#include "report/designer/designer_standalone.h"
#include "report/windows/preview_standalone.h"

namespace {

const char kUsage[] =
    "použití:\n"
    "  dorvana                 hlavní okno nad soubory štítků aktuální složky\n"
    "  dorvana --design PŘEDLOHA [--table SOUBOR]\n"
    "                          návrhář předlohy (nad tabulkou)\n"
    "  dorvana --preview PŘEDLOHA [--table SOUBOR] [--sql TEXT] [--corrections SOUBOR]\n"
    "                          náhled sestavy před tiskem\n"
    "  dorvana --version       verze programu\n"
    "  dorvana --help          tento přehled\n";

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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dorvana"));
    QApplication::setApplicationVersion(QStringLiteral(DORVANA_VERSION));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    loadCzechTranslations(app);

    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        dorvana::installDesigner(QDir::currentPath());
        return dorvana::runMainWindow(args, dorvana::designerLauncher());
    }
    if (!args.isEmpty() && args[0] == u"--design") {
        // The query builder starts in the table's folder.
        const qsizetype table = args.indexOf(QStringLiteral("--table"));
        dorvana::installDesigner(table > 0 && table + 1 < args.size()
                                     ? QFileInfo(args[table + 1]).absolutePath()
                                     : QDir::currentPath());
        return dorvana::runDesignerStandalone(args.mid(1));
    }
    if (!args.isEmpty() && args[0] == u"--preview") return dorvana::runPreviewStandalone(args.mid(1));
    std::fputs(kUsage, stderr);
    return 2;
}

#include "report/designer/designer_standalone.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <memory>
#include <cstdio>

#include "controls/message_boxes.h"
#include "data/table_open.h"
#include "report/designer/designer_window.h"
#include "report/run/report_component.h"
#include "report/run/report_environment.h"

namespace dorvana {

namespace {

int fail(const QString& text, int code) {
    std::fprintf(stderr, "dorvana: %s\n", text.toLocal8Bit().constData());
    return code;
}

}  // namespace

int runDesignerStandalone(const QStringList& args, DesignerServices services) {
    QString templatePath, tablePath;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == u"--table") {
            if (i + 1 >= args.size()) return fail(QStringLiteral("volbě --table chybí soubor"), 2);
            tablePath = args[++i];
        } else if (args[i].startsWith(u"--")) {
            return fail(QStringLiteral("neznámá volba %1").arg(args[i]), 2);
        } else if (templatePath.isEmpty()) {
            templatePath = args[i];
        } else {
            return fail(QStringLiteral("nadbytečný argument %1").arg(args[i]), 2);
        }
    }
    if (templatePath.isEmpty()) return fail(QStringLiteral("chybí soubor s předlohou"), 2);

    std::unique_ptr<DataSet> table;
    if (!tablePath.isEmpty()) {
        QString error;
        table = openAnyTable(tablePath, &error);
        if (table && !table->isOpen() && !table->open(&error)) table.reset();
        if (!table)
            return fail(error.isEmpty() ? QStringLiteral("tabulku %1 nelze otevřít").arg(tablePath) : error, 1);
    }
    ReportDataSource source{table.get()};
    TSestava component;
    const QFileInfo info(templatePath);
    component.ReportDirIgnore = false;
    component.setReportDir(info.absolutePath());
    component.ReportName = info.fileName();
    component.ReportSaveDialog = false;  // saved where it was opened
    component.DataSource = &source;

    // The editor options and paper formats of "sestdll.ini" in the current directory.
    ReportEnvironment environment(QDir::currentPath());
    component.Environment = &environment;

    // "Save and restart" closes the designer with the template saved; it then
    // opens again on the saved template.
    QApplication::setQuitOnLastWindowClosed(false);
    bool failed = false;
    designUntilDone(component, [&] {
        const EditorOptions options =
            environment.reloadEditorOptions(component.NameFields, component.EnabledTypeFields);
        MessageBoxes messages;
        TFormSestE window(component, messages, options, services);
        messages.setParent(&window);
        if (!window.load()) {
            failed = true;
            component.restartRequested = false;
            return false;
        }
        window.show();
        QEventLoop loop;
        QObject::connect(&window, &TFormSestE::closed, &loop, &QEventLoop::quit, Qt::QueuedConnection);
        loop.exec();
        return true;
    });
    if (failed) return 1;
    return 0;
}

}  // namespace dorvana

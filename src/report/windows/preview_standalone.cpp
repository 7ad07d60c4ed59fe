#include "report/windows/preview_standalone.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <memory>

#include "controls/message_boxes.h"
#include "data/data_set.h"
#include "data/memory_store.h"
#include "data/query.h"
#include "data/table_open.h"
#include "report/run/report_component.h"
#include "report/windows/report_operations.h"

namespace dorvana {

namespace {

int usage(const QString& why) {
    std::fprintf(stderr, "dorvana: %s\npoužití: dorvana --preview PŘEDLOHA [--table SOUBOR] [--sql TEXT] [--corrections SOUBOR]\n",
                 why.toLocal8Bit().constData());
    return 2;
}

}  // namespace

int runPreviewStandalone(const QStringList& args) {
    QString templatePath, table, sql, corrections;
    bool haveSql = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--table" || a == u"--sql" || a == u"--corrections") {
            if (i + 1 >= args.size()) return usage(QStringLiteral("volba %1 čeká hodnotu").arg(a));
            (a == u"--table" ? table : a == u"--sql" ? sql : corrections) = args[++i];
            haveSql = haveSql || a == u"--sql";
        } else if (a.startsWith(u"--")) {
            return usage(QStringLiteral("neznámá volba %1").arg(a));
        } else if (templatePath.isEmpty()) {
            templatePath = a;
        } else {
            return usage(QStringLiteral("čekám právě jednu předlohu"));
        }
    }
    if (templatePath.isEmpty()) return usage(QStringLiteral("chybí předloha"));

    MessageBoxes messages;
    // The records: the --sql query over the table's folder, or the table,
    // or none (an empty data set, so that the component's checks pass).
    QString error;
    std::unique_ptr<Query> query;
    std::unique_ptr<DataSet> records;
    DataSet* data = nullptr;
    if (haveSql) {
        query = std::make_unique<Query>();
        if (!table.isEmpty()) query->setDatabase(QFileInfo(table).absolutePath());
        query->setSql({sql});
        if (!query->open(&error)) {
            messages.error(QStringLiteral("Dotaz nelze provést: %1").arg(error));
            return 1;
        }
        data = query->dataSet();
    } else if (!table.isEmpty()) {
        records = openAnyTable(table, &error);
        if (!records) {
            messages.error(error.isEmpty()
                               ? QStringLiteral("Tabulku \"%1\" nelze otevřít.").arg(table)
                               : error);
            return 1;
        }
        data = records.get();
    } else {
        records = std::make_unique<DataSet>(std::make_unique<MemoryStore>(FieldDefs{}, QList<RawRecord>{}));
        records->open();
        data = records.get();
    }

    ReportDataSource source{data};
    TSestava component;
    const QFileInfo file(templatePath);
    component.DataSource = &source;
    component.ReportDirIgnore = false;
    component.setReportDir(file.absolutePath());
    component.ReportName = file.fileName();
    component.Popis = file.completeBaseName();
    // The corrections of the template live beside it unless named.
    const QFileInfo opravy(corrections.isEmpty()
                               ? file.absoluteDir().filePath(file.completeBaseName() + QStringLiteral(".opr"))
                               : corrections);
    component.setOpravyDir(opravy.absolutePath());
    component.OpravyName = opravy.fileName();
    previewReport(component, messages, PreviewPlacement{QRect(0, 0, 1100, 850), false, 100});
    return 0;
}

}  // namespace dorvana

#include "report/windows/preview_standalone.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <memory>

#include "controls/message_boxes.h"
#include "data/data_set.h"
#include "data/memory_store.h"
#include "report/run/report_component.h"
#include "report/run/report_data.h"
#include "report/run/report_environment.h"
#include "report/run/template_list.h"
#include "report/windows/report_windows.h"

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
    const QFileInfo file(templatePath);
    TemplateLeadingInfo info;
    if (!file.isFile() || !readLeadingInfoFile(templatePath, &info)) {
        messages.error(QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy \"%1\"")
                           .arg(templatePath));
        return 1;
    }
    // The records as the command line and the label printing open them: the
    // --sql query over the table's folder, or the table in the template's
    // order or through its own SQL; without either an empty data set, so
    // that the component's checks pass.
    ReportDataRequest request = ReportDataRequest::ofTable(table);
    request.hasSql = haveSql;
    request.sql = sql;
    ReportData records;
    QString error;
    if (!records.open(request, info, &error)) {
        messages.error(error);
        return 1;
    }
    for (const QString& warning : records.warnings()) messages.warning(warning);
    std::unique_ptr<DataSet> none;
    DataSet* data = records.dataSet();
    if (!data) {
        none = std::make_unique<DataSet>(std::make_unique<MemoryStore>(FieldDefs{}, QList<RawRecord>{}));
        none->open();
        data = none.get();
    }

    ReportDataSource source{data};
    // "sestdll.ini" in the current directory, for the designer opened from the preview.
    ReportEnvironment environment(QDir::currentPath());
    TSestava component;
    component.Environment = &environment;
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

#include "app/main/designer_hookup.h"

#include <QDir>
#include <QFile>

#include "app/query_builder_dialog.h"
#include "report/render/printer/printer.h"
#include "report/run/report_component.h"

namespace dorvana {

DesignerQueryBuilder templateQueryBuilder(std::function<QString()> dataDir, Messages* messages) {
    return [dataDir = std::move(dataDir), messages](TSestava& component, const QString& sql,
                                                    QWidget* parent) -> std::optional<QString> {
        const QString reportDir =
            component.ReportDirIgnore ? programDirectory() : component.ReportDir();
        const QString queryFile = QDir(reportDir).filePath(QStringLiteral("SqlBuild.stm"));
        QueryBuilderDialog dialog(dataDir ? dataDir() : QDir::currentPath(), parent, messages);
        // The last query of this template; a file that cannot be read has
        // been reported, and the settings' text is the starting point then.
        const bool loaded = QFile::exists(queryFile) && dialog.loadFrom(queryFile);
        if (!loaded && !sql.trimmed().isEmpty()) dialog.setSqlText(sql);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        // The query stays with the template even when it cannot be saved
        // (the builder has said why).
        dialog.saveTo(queryFile);
        return dialog.request().lines.join(QLatin1Char('\n'));
    };
}

DesignerServices programDesignerServices(const QString& dataDir) {
    return {&programPrinter(), templateQueryBuilder([dataDir] { return dataDir; })};
}

}  // namespace dorvana

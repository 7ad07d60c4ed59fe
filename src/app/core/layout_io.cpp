#include "app/core/layout_io.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "data/pg_connection.h"

namespace dorvana {

namespace {
QString key(const char* name, int k) {
    return QString::fromLatin1(name) + QString::number(k);
}
}  // namespace

void writeDescriptionLines(IniFile& ini, const QStringList& lines) {
    ini.removeSection(kLinesSection);
    ini.setValue(kLinesSection, u"Pocet", QString::number(lines.size()));
    for (int k = 0; k < lines.size(); ++k)
        ini.setValue(kLinesSection, key("Radek", k + 1), lines[k]);
}

QStringList readDescriptionLines(const IniFile& ini) {
    const int n = std::clamp(ini.value(kLinesSection, u"Pocet").toInt(), 0, 100);
    QStringList lines;
    for (int k = 1; k <= n; ++k) lines << ini.value(kLinesSection, key("Radek", k));
    // Trailing empty lines say nothing more than their absence.
    while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

void writeGridColumns(IniFile& ini, const GridColumns& columns) {
    ini.removeSection(kColumnsSection);
    ini.setValue(kColumnsSection, u"Pocet", QString::number(columns.size()));
    for (int k = 0; k < columns.size(); ++k) {
        const GridColumn& c = columns[k];
        ini.setValue(kColumnsSection, key("Pole", k + 1), c.fieldName);
        ini.setValue(kColumnsSection, key("Sirka", k + 1), QString::number(c.width));
        ini.setValue(kColumnsSection, key("Titulek", k + 1), c.title);
        ini.setValue(kColumnsSection, key("JenCteni", k + 1),
                     c.readOnly ? QStringLiteral("1") : QStringLiteral("0"));
        ini.setValue(kColumnsSection, key("Popis", k + 1), c.description);
    }
}

GridColumns readGridColumns(const IniFile& ini) {
    const int n = std::clamp(ini.value(kColumnsSection, u"Pocet").toInt(), 0, 100);
    GridColumns out;
    for (int k = 1; k <= n; ++k) {
        GridColumn c;
        c.fieldName = ini.value(kColumnsSection, key("Pole", k));
        if (c.fieldName.isEmpty()) return {};  // a broken list counts as none
        c.width = std::clamp(ini.value(kColumnsSection, key("Sirka", k)).toInt(), 0, 2000);
        c.title = ini.value(kColumnsSection, key("Titulek", k));
        c.readOnly = ini.value(kColumnsSection, key("JenCteni", k)) == u"1";
        c.description = ini.value(kColumnsSection, key("Popis", k));
        out << c;
    }
    return out;
}

QString layoutFilePath(const QString& dataDir, const QString& labelFilePath) {
    PgTarget server;
    if (isServerTableUri(labelFilePath) && parseServerTableUri(labelFilePath, &server, nullptr)) {
        // A table on a server keeps its layout here too, named after server and table.
        QString stem = QStringLiteral("server %1 %2").arg(server.serverName, server.table);
        static const QRegularExpression unsafe(QStringLiteral("[^\\w.-]+"));
        stem.replace(unsafe, QStringLiteral("_"));
        return QDir(dataDir).filePath(stem.left(120) + QStringLiteral(".svv"));
    }
    const QString name = QFileInfo(labelFilePath).fileName();
    return QDir(dataDir).filePath(name.left(std::max<qsizetype>(0, name.size() - 2)) +
                                  QStringLiteral("svv"));
}

}  // namespace dorvana

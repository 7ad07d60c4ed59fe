#include "app/core/sql_from_rewrite.h"

#include <QDir>
#include <QFileInfo>

#include "data/pg_connection.h"

namespace dorvana {

QString tableDirectory(const QString& entry) {
    if (isServerTableUri(entry)) return entry;  // the query runs on that server
    const QFileInfo fi(entry);
    return fi.isDir() ? fi.absoluteFilePath() : fi.absolutePath();
}

QString rewriteTableReference(const QString& line, const QString& base) {
    const QString text = line.trimmed();
    if (text.isEmpty() || base.isEmpty()) return line;
    QString name, rest;
    if (text.startsWith(QLatin1Char('"'))) {
        const int close = text.indexOf(QLatin1Char('"'), 1);
        if (close < 0) return line;
        name = text.mid(1, close - 1);
        rest = text.mid(close + 1).trimmed();
    } else {
        const int blank = text.indexOf(QLatin1Char(' '));
        name = blank < 0 ? text : text.left(blank);
        rest = blank < 0 ? QString() : text.mid(blank + 1).trimmed();
    }
    if (name.isEmpty()) return line;
    const QString path = QDir::isAbsolutePath(name) ? name : QDir(tableDirectory(base)).filePath(name);
    return QLatin1Char('"') + path + QLatin1Char('"') + QLatin1Char(' ') +
           (rest.isEmpty() ? QStringLiteral("T1") : rest);
}

QStringList rewriteFromLines(const QStringList& lines, const QStringList& tables) {
    // Names typed in a query on a server are the server's own tables.
    if (tables.size() >= 2 || tables.isEmpty() || isServerTableUri(tables.first())) return lines;
    QStringList out;
    for (int i = 0; i < lines.size(); ++i) {
        out << lines[i];
        if (lines[i] == u"FROM " && i + 1 < lines.size()) {
            out << rewriteTableReference(lines[i + 1], tables.first());
            ++i;
        }
    }
    return out;
}

}  // namespace dorvana

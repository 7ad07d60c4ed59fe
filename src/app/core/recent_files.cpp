#include "app/core/recent_files.h"

#include "data/table_open.h"

#include <QFileInfo>

namespace dorvana {

void RecentFiles::setEntries(const QStringList& entries) {
    entries_ = entries.mid(0, kMaxEntries);
}

void RecentFiles::add(const QString& path, int kind) {
    const QString entry = path + QLatin1Char(';') + QString::number(kind == 1 ? 1 : 2);
    if (entries_.contains(entry)) return;
    entries_.prepend(entry);
    while (entries_.size() > kMaxEntries) entries_.removeLast();
}

QString RecentFiles::pathOf(const QString& entry) {
    return entry.section(QLatin1Char(';'), 0, 0);
}

int RecentFiles::kindOf(const QString& entry) {
    bool ok = false;
    const int kind = entry.section(QLatin1Char(';'), 1, 1).trimmed().toInt(&ok);
    return ok ? kind : 1;
}

QString RecentFiles::caption(const QString& entry) {
    return tableDisplayName(pathOf(entry));
}

}  // namespace dorvana

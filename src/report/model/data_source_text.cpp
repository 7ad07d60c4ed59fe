#include "report/model/data_source_text.h"

#include <QStringList>

namespace dorvana {

QString orderByText(const QString& sortList) {
    QStringList entries = sortList.split(u',');
    for (QString& e : entries) {
        if (e.startsWith(u'-')) {
            e[0] = u' ';
            e += QStringLiteral(" DESC");
        } else if (e.startsWith(u'+')) {
            e[0] = u' ';
        }
    }
    return entries.join(u',');
}

QString withSortPrefixes(const QString& sortList) {
    if (sortList.isEmpty()) return sortList;
    QStringList entries = sortList.split(u',');
    for (QString& e : entries)
        if (!e.startsWith(u'+') && !e.startsWith(u'-')) e.prepend(u'+');
    return entries.join(u',');
}

QString sqlLineToTemplate(QString line) {
    return line.replace(u'"', u'~');
}
QString sqlLineFromTemplate(QString stored) {
    return stored.replace(u'~', u'"');
}

}  // namespace dorvana

#include "app/core/status_texts.h"

#include <QLocale>

namespace dorvana {

QString clockText(const QDateTime& when) {
    const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    return QStringLiteral("%1 %2 %3 %4")
        .arg(when.date().day())
        .arg(czech.standaloneMonthName(when.date().month(), QLocale::LongFormat))
        .arg(when.date().year(), 4, 10, QLatin1Char('0'))
        .arg(when.time().toString(QStringLiteral("hh:mm:ss")));
}

QString longHint(const QString& hint) {
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

QString shortHint(const QString& hint) {
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

}  // namespace dorvana

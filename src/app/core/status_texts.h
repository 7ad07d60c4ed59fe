#pragma once
// Texts of the main window's status bar: the clock and the long part of a hint.

#include <QDateTime>
#include <QString>

namespace dorvana {

// "7 prosinec 2026 09:05:03": the day without a leading zero, the month's
// full Czech name, the year, the time with two digits each.
QString clockText(const QDateTime& when);

// The part of a hint after "|", or the whole hint when it has none.
QString longHint(const QString& hint);
// The part before "|" (the tool tip).
QString shortHint(const QString& hint);

}  // namespace dorvana

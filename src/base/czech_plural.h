#pragma once
// Czech plural forms of a counted word: 1 značka, 2–4 značky, 0 and 5 or more
// značek (likewise for negative counts).

#include <QString>

namespace dorvana {

// The word's form for n: one (1), few (2, 3, 4) or many (0, 5 and more).
inline QString czechPlural(qint64 n, const QString& one, const QString& few, const QString& many) {
    const qint64 a = n < 0 ? -n : n;
    return a == 1 ? one : (a >= 2 && a <= 4) ? few : many;
}

// The count and the word: "1 značka", "3 značky", "12 značek".
inline QString czechCount(qint64 n, const QString& one, const QString& few, const QString& many) {
    return QStringLiteral("%1 %2").arg(n).arg(czechPlural(n, one, few, many));
}

}  // namespace dorvana

#pragma once
// The order of texts by the locale in force (Czech: "ch" after "h", "č" after
// "c", lower case before upper case).

#include <QString>

namespace dorvana {

// Negative, zero or positive as a sorts before, equal to or after b. Texts the
// locale's order holds equal but that differ are ordered by their code
// points, so that zero means identical.
int compareText(const QString& a, const QString& b);

}  // namespace dorvana

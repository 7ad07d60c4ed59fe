#pragma once
// Upper and lower case by the locale in force, letters with diacritics included.

#include <QString>

namespace dorvana {

QString upperText(const QString& text);
QString lowerText(const QString& text);

}  // namespace dorvana

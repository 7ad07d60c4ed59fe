#pragma once
// The one rule for names of fields and functions: how they are written in
// expressions and templates, and when two of them are the same name.

#include <QChar>
#include <QLatin1String>
#include <QStringList>
#include <QStringView>

namespace dorvana {

// Names are compared with the letters A-Z taken without regard to case;
// every other character (letters with diacritics too) must match exactly.
bool sameName(QStringView a, QStringView b);
bool sameName(QStringView a, QLatin1String b);

// A name starts with a letter (A-Z, a-z or a letter with diacritics, which
// field names of Czech tables carry) or '_' and goes on with those and digits.
bool isNameStart(QChar c);
bool isNameChar(QChar c);

// Only the first 32 characters of a name count.
inline constexpr int kNameLength = 32;

// The names an expression references with the sigil ('#' fields, '@'
// functions) outside its text literals, each cut to kNameLength, in the order
// they appear (repeats kept). References by number are not names.
QStringList referencedNames(QStringView expression, QChar sigil);

}  // namespace dorvana

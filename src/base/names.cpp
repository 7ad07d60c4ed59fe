#include "base/names.h"

namespace dorvana {

namespace {

char16_t asciiUpper(char16_t c) {
    return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
}

bool isAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

}  // namespace

bool sameName(QStringView a, QStringView b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (asciiUpper(a[i].unicode()) != asciiUpper(b[i].unicode())) return false;
    return true;
}

bool sameName(QStringView a, QLatin1String b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (asciiUpper(a[i].unicode()) != asciiUpper(char16_t(uchar(b[i].toLatin1())))) return false;
    return true;
}

bool isNameStart(QChar c) {
    const char16_t u = c.unicode();
    return isAsciiLetter(u) || u == u'_' || (u > 127 && c.isLetter());
}

bool isNameChar(QChar c) {
    return isNameStart(c) || (c >= u'0' && c <= u'9');
}

QStringList referencedNames(QStringView expression, QChar sigil) {
    QStringList out;
    bool literal = false;
    const qsizetype n = expression.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = expression[i];
        if (c == u'\'') literal = !literal;
        if (literal || c != sigil || i + 1 >= n || !isNameStart(expression[i + 1])) continue;
        qsizetype j = i + 1;
        while (j < n && isNameChar(expression[j])) ++j;
        out.append(expression.mid(i + 1, j - i - 1).left(kNameLength).toString());
        i = j - 1;
    }
    return out;
}

}  // namespace dorvana

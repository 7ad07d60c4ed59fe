#include "report/model/integer_format.h"

namespace dorvana {

namespace {

// Reads "*" (takes an argument) or digits; -1 when neither is there.
bool readNumber(QStringView f, qsizetype* i, int* argIndex, qint32 value, int* out) {
    *out = -1;
    if (*i < f.size() && f[*i] == u'*') {
        if (*argIndex != 0) return false;
        ++*argIndex;
        *out = value < 0 ? 0 : value;
        ++*i;
        return true;
    }
    qint64 n = -1;
    while (*i < f.size() && f[*i].isDigit() && f[*i].unicode() < 128) {
        n = (n < 0 ? 0 : n * 10) + (f[*i].unicode() - u'0');
        if (n > 100000) return false;  // no sane width; refuse to allocate for it
        ++*i;
    }
    *out = int(n);
    return true;
}

}  // namespace

std::optional<QString> formatWithInteger(QStringView f, qint32 value) {
    QString out;
    int argIndex = 0;
    qsizetype i = 0;
    const qsizetype n = f.size();
    while (i < n) {
        const QChar c = f[i++];
        if (c != u'%') {
            out += c;
            continue;
        }
        if (i >= n) return std::nullopt;
        if (f[i] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        // [index ":"] ["-"] [width] ["." precision] type
        int number = -1;
        if (!readNumber(f, &i, &argIndex, value, &number)) return std::nullopt;
        if (i < n && f[i] == u':') {
            if (number < 0) return std::nullopt;
            argIndex = number;
            ++i;
            number = -1;
        }
        bool left = false;
        if (number < 0 && i < n && f[i] == u'-') {
            left = true;
            ++i;
        }
        int width = number;
        if (width < 0 && !readNumber(f, &i, &argIndex, value, &width)) return std::nullopt;
        int precision = -1;
        if (i < n && f[i] == u'.') {
            ++i;
            if (!readNumber(f, &i, &argIndex, value, &precision)) return std::nullopt;
        }
        if (i >= n) return std::nullopt;
        const char16_t type = f[i++].toLower().unicode();
        if (argIndex != 0) return std::nullopt;  // only one argument exists
        ++argIndex;
        QString digits;
        bool negative = false;
        switch (type) {
            case u'd':
                negative = value < 0;
                digits = QString::number(negative ? -qint64(value) : qint64(value));
                break;
            case u'u':
                digits = QString::number(quint32(value));
                break;
            case u'x':
                digits = QString::number(quint32(value), 16).toUpper();
                break;
            default:
                return std::nullopt;  // s, f, e, g, n, m, p and unknown kinds
        }
        if (precision > digits.size()) digits = QString(precision - digits.size(), u'0') + digits;
        if (negative) digits.prepend(u'-');
        if (width > digits.size()) {
            const QString pad(width - digits.size(), u' ');
            digits = left ? digits + pad : pad + digits;
        }
        out += digits;
    }
    return out;
}

}  // namespace dorvana

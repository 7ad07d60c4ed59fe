#include "report/model/template_tokens.h"

#include <limits>

namespace dorvana {

namespace {

constexpr QChar kQuote = u'"';
constexpr QChar kSafeQuote = QChar(0x201D);  // right double quotation mark, in Windows-1250

QString withoutLineBreaks(QStringView text) {
    QString out = text.toString();
    for (QChar& c : out)
        if (c == u'\r' || c == u'\n') c = u' ';
    return out;
}

}  // namespace

QString TemplateTokenizer::text() {
    QString token;
    const qsizetype n = rest_.size();
    qsizetype i = 0;
    bool quoting = false;
    if (n > 0 && rest_[0] == kQuote) {
        quoting = true;
        i = 1;
    }
    qsizetype start = i;
    for (; i < n; ++i) {
        const QChar c = rest_[i];
        if (quoting) {
            if (c == kQuote) {
                token += rest_.sliced(start, i - start);
                quoting = false;
                start = i + 1;
            }
        } else if (c == u',') {
            break;
        }
    }
    token += rest_.sliced(start, i - start);
    rest_ = i < n ? rest_.sliced(i + 1) : QStringView();
    return token;
}

int TemplateTokenizer::integer(int def) {
    return parseIntegerToken(text(), def);
}

int parseIntegerToken(QStringView token, int def) {
    qsizetype i = 0;
    const qsizetype n = token.size();
    bool negative = false;
    if (i < n && (token[i] == u'-' || token[i] == u'+')) negative = token[i++] == u'-';
    if (i == n) return def;
    qint64 value = 0;
    for (; i < n; ++i) {
        const char16_t c = token[i].unicode();
        if (c < u'0' || c > u'9') return def;
        value = value * 10 + (c - u'0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1) return def;
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return def;
    return int(value);
}

bool isNameToken(QStringView token) {
    if (token.isEmpty() || (token[0] >= u'0' && token[0] <= u'9')) return false;
    // A signed number ("-7") is a number, not a name.
    constexpr int kNotNumber = -1;
    return parseIntegerToken(token, kNotNumber) == kNotNumber &&
           parseIntegerToken(token, kNotNumber + 1) == kNotNumber + 1;
}

QString quotedToken(QStringView text) {
    QString body = withoutLineBreaks(text);
    body.replace(kQuote, kSafeQuote);
    return kQuote + body + kQuote;
}

QString plainToken(QStringView text) {
    QString body = withoutLineBreaks(text);
    body.replace(u',', u'_');
    if (body.startsWith(kQuote)) body[0] = kSafeQuote;
    return body;
}

}  // namespace dorvana

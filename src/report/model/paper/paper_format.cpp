#include "report/model/paper/paper_format.h"

#include <QStringList>

namespace dorvana {
namespace {

constexpr int kFieldLength = 48;  // characters a field collects at most

// Takes the next field off the text, starting at *pos; *pos ends after the
// comma that closes the field (or at the end of the text).
QString nextField(QStringView text, qsizetype* pos) {
    QString field;
    qsizetype i = *pos;
    const qsizetype n = text.size();
    auto collect = [&](QChar c) {
        if (field.size() < kFieldLength) field.append(c);
    };
    if (i < n && text[i] == u'"') {
        ++i;
        while (i < n) {
            if (text[i] == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    collect(u'"');
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            collect(text[i++]);
        }
        // Whatever stands between the closing quote and the comma is dropped.
        while (i < n && text[i] != u',') ++i;
    } else {
        while (i < n && text[i] != u',') collect(text[i++]);
    }
    if (i < n) ++i;  // the comma
    *pos = i;
    return field;
}

int fieldInteger(const QString& field) {
    bool ok = false;
    const int v = field.trimmed().toInt(&ok);
    return ok ? v : 0;
}

}  // namespace

TFormatPapiru readFormatText(QStringView text) {
    qsizetype pos = 0;
    TFormatPapiru f;
    f.name = nextField(text, &pos).left(kFormatNameLength);
    f.width = fieldInteger(nextField(text, &pos));
    f.height = fieldInteger(nextField(text, &pos));
    return f;
}

QString formatText(const TFormatPapiru& format) {
    QString name = format.name;
    if (name.contains(u',') || name.startsWith(u'"'))
        name = u'"' + name.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
    return QStringLiteral("%1,%2,%3").arg(name).arg(format.width).arg(format.height);
}

}  // namespace dorvana

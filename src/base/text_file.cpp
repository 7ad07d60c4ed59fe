#include "base/text_file.h"

#include "base/safe_file.h"

#include <QFile>

namespace dorvana {

QStringList splitLines(QStringView text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') continue;
        lines.append(text.sliced(start, i - start).toString());
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.append(text.sliced(start).toString());
    return lines;
}

QString joinLines(const QStringList& lines) {
    QString out;
    qsizetype size = 0;
    for (const QString& l : lines) size += l.size() + 2;
    out.reserve(size);
    for (const QString& l : lines) {
        out += l;
        out += u"\r\n";
    }
    return out;
}

bool readFileBytes(const QString& path, QByteArray* bytes, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("Soubor %1 nelze otevřít: %2").arg(path, f.errorString());
        return false;
    }
    *bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (error) *error = QStringLiteral("Soubor %1 nelze přečíst: %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

bool readTextLines(const QString& path, QStringList* lines, QString* error) {
    QByteArray bytes;
    if (!readFileBytes(path, &bytes, error)) return false;
    *lines = splitLines(decodeSystemText(bytes));
    return true;
}

bool writeTextLines(const QString& path, const QStringList& lines, QString* error, CodePage page) {
    return writeFileAtomically(path, encode(joinLines(lines), page), error);
}

}  // namespace dorvana

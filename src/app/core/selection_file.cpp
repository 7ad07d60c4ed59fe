#include "app/core/selection_file.h"

#include <QFileInfo>
#include <QtEndian>

#include "base/czech_plural.h"
#include "base/text_file.h"

namespace dorvana {

bool writeSelectionFile(const QString& path, const QList<qint32>& marks, QString* error) {
    if (marks.isEmpty()) {
        if (error) *error = kNoSelection;
        return false;
    }
    return writeFileAtomically(path, selectionFileBytes(marks), error);
}

QByteArray selectionFileBytes(const QList<qint32>& marks) {
    QByteArray bytes(marks.size() * 4, Qt::Uninitialized);
    for (qsizetype k = 0; k < marks.size(); ++k)
        qToLittleEndian<qint32>(marks[k], bytes.data() + 4 * k);
    return bytes;
}

bool readSelectionFile(const QString& path, const std::function<void(qint32)>& toggle,
                       QString* error) {
    QByteArray bytes;
    if (!readFileBytes(path, &bytes, error)) return false;
    return toggleSelectionBytes(bytes, QFileInfo(path).fileName(), toggle, error);
}

bool toggleSelectionBytes(const QByteArray& bytes, const QString& fileName,
                          const std::function<void(qint32)>& toggle, QString* error) {
    const qsizetype whole = bytes.size() / 4;
    for (qsizetype k = 0; k < whole; ++k) toggle(qFromLittleEndian<qint32>(bytes.constData() + 4 * k));
    if (bytes.size() % 4 != 0) {
        if (error)
            *error = QStringLiteral("Soubor výběru „%1“ je poškozen: jeho délka %2 B není násobkem 4 "
                                    "(načteno %3).")
                         .arg(fileName)
                         .arg(bytes.size())
                         .arg(czechCount(whole, QStringLiteral("značka"), QStringLiteral("značky"),
                                         QStringLiteral("značek")));
        return false;
    }
    return true;
}

}  // namespace dorvana

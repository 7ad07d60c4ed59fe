#include "data/paradox_file.h"

#include <QFileInfo>
#include <QtEndian>

namespace dorvana {

bool looksLikeParadox(const QByteArray& head) {
    if (head.size() < 0x58) return false;
    const quint16 headerSize = qFromLittleEndian<quint16>(head.constData() + 2);
    const quint8 fileType = quint8(head[4]);
    const quint8 blockK = quint8(head[5]);
    return headerSize >= 0x800 && headerSize % 0x800 == 0 && (fileType == 0 || fileType == 2) &&
           blockK >= 1 && blockK <= 32;
}

std::unique_ptr<RecordStore> ParadoxStore::open(const QString& path, QString* error) {
    if (error)
        *error = QStringLiteral("Tabulky Paradox (%1) zatím nelze otevřít").arg(QFileInfo(path).fileName());
    return nullptr;
}

bool createParadoxFile(const QString& path, const FieldDefs&, QString* error) {
    if (error)
        *error = QStringLiteral("Tabulky Paradox (%1) zatím nelze zakládat").arg(QFileInfo(path).fileName());
    return false;
}

}  // namespace dorvana

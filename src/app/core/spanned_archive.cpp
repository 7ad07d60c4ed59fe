#include "app/core/spanned_archive.h"

#include <QtEndian>

namespace dorvana {

namespace {

constexpr quint32 kEndSignature = 0x06054b50;
constexpr quint32 kCentralSignature = 0x02014b50;
constexpr int kEndSize = 22;
constexpr int kCentralSize = 46;

quint16 u16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
void put16(QByteArray& b, qsizetype at, quint16 v) {
    qToLittleEndian<quint16>(v, b.data() + at);
}
void put32(QByteArray& b, qsizetype at, quint32 v) {
    qToLittleEndian<quint32>(v, b.data() + at);
}

// The position of the end-of-central-directory record, searched from the end
// (a comment of up to 64 KiB may follow it); -1 when there is none.
qsizetype endRecord(const QByteArray& b) {
    for (qsizetype at = b.size() - kEndSize; at >= 0 && at >= b.size() - kEndSize - 0xFFFF; --at)
        if (u32(b, at) == kEndSignature && at + kEndSize + u16(b, at + 20) == b.size()) return at;
    return -1;
}

}  // namespace

int archiveDiskCount(const QByteArray& lastSegment) {
    const qsizetype end = endRecord(lastSegment);
    return end < 0 ? 0 : u16(lastSegment, end + 4) + 1;
}

bool joinSpannedArchive(const QList<QByteArray>& segments, QByteArray* archive, QString* error) {
    auto broken = [error](const QString& why) {
        if (error) *error = QStringLiteral("Disky zálohy netvoří jeden archiv: %1").arg(why);
        return false;
    };
    if (segments.isEmpty()) return broken(QStringLiteral("žádný disk"));
    QList<qint64> base;
    QByteArray out;
    for (const QByteArray& s : segments) {
        base << out.size();
        out += s;
    }
    const qsizetype end = endRecord(out);
    if (end < base.last()) return broken(QStringLiteral("poslední disk nekončí archivem"));
    const int disks = u16(out, end + 4) + 1;
    if (disks != segments.size()) return broken(QStringLiteral("počet disků nesouhlasí"));
    const int cdDisk = u16(out, end + 6);
    if (cdDisk >= disks) return broken(QStringLiteral("chybný disk adresáře"));
    const quint16 total = u16(out, end + 10);
    const quint32 cdSize = u32(out, end + 12);
    const qint64 cdStart = base[cdDisk] + u32(out, end + 16);
    if (cdStart + cdSize > end) return broken(QStringLiteral("adresář archivu leží mimo"));
    qint64 at = cdStart;
    for (int i = 0; i < total; ++i) {
        if (at + kCentralSize > end || u32(out, at) != kCentralSignature)
            return broken(QStringLiteral("poškozený adresář archivu"));
        const int disk = u16(out, at + 34);
        if (disk >= disks) return broken(QStringLiteral("položka na neexistujícím disku"));
        const qint64 local = base[disk] + u32(out, at + 42);
        if (local > 0xFFFFFFFFLL) return broken(QStringLiteral("archiv je příliš velký"));
        put16(out, at + 34, 0);
        put32(out, at + 42, quint32(local));
        at += kCentralSize + u16(out, at + 28) + u16(out, at + 30) + u16(out, at + 32);
    }
    put16(out, end + 4, 0);
    put16(out, end + 6, 0);
    put16(out, end + 8, total);
    put32(out, end + 16, quint32(cdStart));
    *archive = out;
    return true;
}

}  // namespace dorvana

#include "data/paradox_file.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTime>
#include <QtEndian>
#include <cmath>
#include <cstring>

#include "base/safe_file.h"

namespace dorvana {

namespace {

constexpr qint64 kMaxBlob = 64 * 1024 * 1024;

enum : quint8 {
    kAlpha = 0x01,
    kDate = 0x02,
    kShort = 0x03,
    kLong = 0x04,
    kCurrency = 0x05,
    kNumber = 0x06,
    kLogical = 0x09,
    kMemo = 0x0C,
    kBlob = 0x0D,
    kFmtMemo = 0x0E,
    kOle = 0x0F,
    kGraphic = 0x10,
    kTime = 0x14,
    kTimestamp = 0x15,
    kAutoinc = 0x16,
    kBcd = 0x17,
    kBytes = 0x18,
};

bool isBlobField(quint8 t) {
    return t >= kMemo && t <= kGraphic;
}

// Integers of n bytes, big-endian with the sign bit inverted; false for a blank (all zero).
bool flippedInteger(const char* p, int n, qint64* out) {
    quint64 raw = 0;
    for (int i = 0; i < n; ++i) raw = (raw << 8) | quint8(p[i]);
    if (raw == 0) return false;
    const quint64 sign = quint64(1) << (8 * n - 1);
    raw ^= sign;
    // Back to a signed value of n bytes.
    qint64 v = qint64(raw);
    if (raw & sign) v -= qint64(sign) * 2;
    *out = v;
    return true;
}

bool flippedDouble(const char* p, double* out) {
    quint8 b[8];
    memcpy(b, p, 8);
    bool zero = true;
    for (quint8 c : b) zero = zero && c == 0;
    if (zero) return false;
    if (b[0] & 0x80)
        b[0] ^= 0x80;
    else
        for (quint8& c : b) c = quint8(~c);
    quint64 bits = 0;
    for (quint8 c : b) bits = (bits << 8) | c;
    double v;
    memcpy(&v, &bits, 8);
    if (!std::isfinite(v)) return false;
    *out = v;
    return true;
}

const QDate kDayOne(1, 1, 1);

// A BCD value: the first byte holds the sign (0x80 set for positive) and the
// decimals (low 6 bits), then 32 digits as nibbles, complemented when
// negative. An empty value keeps only its decimals byte. Writers fill the
// digits past the precision they kept with anything; reading stops at the
// first nibble that is no digit, and the value is rounded to the 15 digits a
// double holds.
QVariant bcdValue(const char* p) {
    const quint8 first = quint8(p[0]);
    const bool positive = first & 0x80;
    bool noDigits = true;
    for (int k = 1; k < 17; ++k) noDigits = noDigits && p[k] == 0;
    if (noDigits && !positive) return {};
    const int decimals = std::min(first & 0x3F, 32);
    QByteArray digits;
    for (int k = 0; k < 32; ++k) {
        int nib = (quint8(p[1 + k / 2]) >> (k % 2 ? 0 : 4)) & 0x0F;
        if (!positive) nib ^= 0x0F;
        if (nib > 9) break;
        digits += char('0' + nib);
    }
    digits = digits.leftJustified(32, '0');
    const QByteArray text = (positive ? QByteArray() : QByteArray("-")) +
                            digits.left(32 - decimals) + '.' + digits.mid(32 - decimals);
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return {};
    return QByteArray::number(v, 'g', 15).toDouble();
}

// Paradox keeps an 8-byte header before a picture in a graphic field: a
// type (4 bytes) and the length of the picture (4 bytes, little-endian).
// Blobs without it (written by older versions of this program) pass as
// they are.
QByteArray withoutGraphicHeader(const QByteArray& data) {
    if (data.size() > 8 && qFromLittleEndian<quint32>(data.constData() + 4) == data.size() - 8)
        return data.mid(8);
    return data;
}

}  // namespace

bool looksLikeParadox(const QByteArray& head) {
    if (head.size() < 0x58) return false;
    const quint16 recordSize = qFromLittleEndian<quint16>(head.constData());
    const quint16 headerSize = qFromLittleEndian<quint16>(head.constData() + 2);
    const quint8 fileType = quint8(head[4]);
    const quint8 blockK = quint8(head[5]);
    return recordSize > 0 && headerSize >= 0x58 && (fileType == 0 || fileType == 2) &&
           blockK >= 1 && blockK <= 32;
}

std::unique_ptr<ParadoxStore> ParadoxStore::open(const QString& path, QString* error) {
    std::unique_ptr<ParadoxStore> s(new ParadoxStore);
    s->path_ = path;
    const QFileInfo fi(path);
    s->blobPath_ =
        fi.path() + QLatin1Char('/') + fi.completeBaseName() +
        (fi.suffix() == fi.suffix().toUpper() ? QStringLiteral(".MB") : QStringLiteral(".mb"));
    if (!fi.isFile()) {
        if (error) *error = QStringLiteral("Soubor %1 neexistuje").arg(path);
        return nullptr;
    }
    if (!s->load(error)) return nullptr;
    return s;
}

std::unique_ptr<ParadoxStore> ParadoxStore::openBytes(const QByteArray& db, const QByteArray& mb,
                                                      QString* error) {
    std::unique_ptr<ParadoxStore> s(new ParadoxStore);
    s->inMemory_ = true;
    s->image_ = db;
    s->blobImage_ = mb;
    s->path_ = QStringLiteral("(paměť)");
    if (!s->load(error)) return nullptr;
    return s;
}

bool ParadoxStore::read(qint64 offset, qint64 length, QByteArray* out) const {
    if (offset < 0 || length < 0) return false;
    if (inMemory_) {
        *out = image_.mid(offset, length);
        return out->size() == length;
    }
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(offset)) return false;
    *out = f.read(length);
    return out->size() == length;
}

bool ParadoxStore::load(QString* error) {
    const QString name = inMemory_ ? path_ : QFileInfo(path_).fileName();
    auto bad = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("Soubor %1 není platná tabulka Paradox: %2").arg(name, why);
        return false;
    };
    const qint64 fileSize = inMemory_ ? image_.size() : QFileInfo(path_).size();
    QByteArray h;
    if (!read(0, std::min<qint64>(fileSize, 0x10000), &h) || h.size() < 0x58)
        return bad(QStringLiteral("soubor je příliš krátký"));
    const char* d = h.constData();
    recordSize_ = qFromLittleEndian<quint16>(d);
    const qint64 headerSize = qFromLittleEndian<quint16>(d + 2);
    headerSize_ = headerSize;
    const quint8 fileType = quint8(d[4]);
    const qint64 blockSize = qint64(quint8(d[5])) * 0x400;
    blockSize_ = blockSize;
    const qint64 numRecords = qFromLittleEndian<quint32>(d + 6);
    const qint64 firstBlock = qFromLittleEndian<quint16>(d + 0x0E);
    const int numFields = qFromLittleEndian<quint16>(d + 0x21);
    const quint8 version = quint8(d[0x39]);
    // From level 4 on the header is longer; its bytes 0x25..0x28 then hold
    // 00 FF 00 FF in every table and the password check lives at 0x5C.
    const bool level4 = version >= 5;
    if (fileType != 0 && fileType != 2)
        return bad(QStringLiteral("neznámý typ souboru %1").arg(fileType));
    if (blockSize == 0 || blockSize > 32 * 0x400)
        return bad(QStringLiteral("chybná velikost bloku"));
    if (headerSize < 0x58 || headerSize > h.size())
        return bad(QStringLiteral("chybná délka hlavičky"));
    if (recordSize_ <= 0 || recordSize_ > blockSize - 6)
        return bad(QStringLiteral("chybná délka záznamu"));
    if (numFields <= 0 || numFields > 255) return bad(QStringLiteral("chybný počet polí"));
    if (version < 3 || version > 0x0C) return bad(QStringLiteral("neznámá verze %1").arg(version));
    if (level4 && headerSize < 0x78) return bad(QStringLiteral("chybná délka hlavičky"));
    if (qFromLittleEndian<quint32>(d + (level4 ? 0x5C : 0x25)) != 0)
        return bad(QStringLiteral("tabulka je chráněna heslem"));
    keyed_ = fileType == 0 ||
             (!inMemory_ &&
              QFileInfo::exists(QFileInfo(path_).path() + QLatin1Char('/') +
                                QFileInfo(path_).completeBaseName() + QStringLiteral(".px")));
    const int declaredPage = level4 ? qFromLittleEndian<quint16>(d + 0x6A) : 0;
    qint64 pos = level4 ? 0x78 : 0x58;
    if (pos + 2 * numFields > headerSize) return bad(QStringLiteral("chybný popis polí"));
    defs_.clear();
    types_.clear();
    sizes_.clear();
    offsets_.clear();
    int offset = 0;
    for (int i = 0; i < numFields; ++i) {
        const quint8 type = quint8(d[pos + 2 * i]);
        int size = quint8(d[pos + 2 * i + 1]);
        FieldDef def;
        int expect = size;
        switch (type) {
            case kAlpha:
                def.type = FieldType::String;
                def.size = size;
                break;
            case kDate:
                def.type = FieldType::Date;
                expect = 4;
                break;
            case kShort:
                def.type = FieldType::Smallint;
                expect = 2;
                break;
            case kLong:
                def.type = FieldType::Integer;
                expect = 4;
                break;
            case kAutoinc:
                def.type = FieldType::Autoinc;
                expect = 4;
                break;
            case kCurrency:
                def.type = FieldType::Currency;
                expect = 8;
                break;
            case kNumber:
                def.type = FieldType::Float;
                expect = 8;
                break;
            case kLogical:
                def.type = FieldType::Boolean;
                expect = 1;
                break;
            case kTime:
                def.type = FieldType::Time;
                expect = 4;
                break;
            case kTimestamp:
                def.type = FieldType::DateTime;
                expect = 8;
                break;
            case kBcd:
                // The size byte holds the decimals; the value takes 17 bytes.
                def.type = FieldType::BCD;
                def.size = size;
                if (size > 32) return bad(QStringLiteral("pole %1 má chybnou délku").arg(i + 1));
                expect = size = 17;
                break;
            case kBytes:
                def.type = FieldType::Bytes;
                def.size = size;
                break;
            case kMemo:
            case kFmtMemo:
                def.type = FieldType::Memo;
                break;
            case kBlob:
            case kOle:
                def.type = FieldType::Blob;
                break;
            case kGraphic:
                def.type = FieldType::Graphic;
                break;
            default:
                return bad(QStringLiteral("pole %1 má neznámý typ %2").arg(i + 1).arg(type));
        }
        if (size == 0 || size != expect || (isBlobField(type) && size < 10))
            return bad(QStringLiteral("pole %1 má chybnou délku").arg(i + 1));
        defs_.append(def);
        types_.push_back(type);
        sizes_.push_back(size);
        offsets_.push_back(offset);
        offset += size;
    }
    if (offset != recordSize_) return bad(QStringLiteral("pole neodpovídají délce záznamu"));
    if (!inMemory_ && std::any_of(types_.begin(), types_.end(), isBlobField) &&
        !QFileInfo::exists(blobPath_))
        return bad(QStringLiteral("chybí soubor blobů %1").arg(QFileInfo(blobPath_).fileName()));
    // Field names follow the field types, a pointer, one pointer per field
    // and the table name (79 bytes, 261 from level 7); then the field
    // numbers and the name of the sort order.
    pos += 2 * numFields + 4 + 4 * numFields + (version >= 0x0C ? 261 : 79);
    std::vector<QByteArrayView> names;
    for (int i = 0; i < numFields; ++i) {
        if (pos >= headerSize) return bad(QStringLiteral("chybí jména polí"));
        const char* start = d + pos;
        const qint64 len = qint64(strnlen(start, size_t(headerSize - pos)));
        if (pos + len >= headerSize) return bad(QStringLiteral("chybí jména polí"));
        names.emplace_back(start, len);
        pos += len + 1;
    }
    pos += 2 * numFields;
    const QByteArray sortOrder =
        pos < headerSize
            ? QByteArray(d + pos, qsizetype(strnlen(d + pos, size_t(headerSize - pos))))
            : QByteArray();
    codePage_ = CodePage::Windows1250;
    if (declaredPage == 0 && sortOrder.compare("BLROM800", Qt::CaseInsensitive) == 0) {
        codePage_ = CodePage::Roman8;
    } else if (declaredPage != 0 && !codePageOfNumber(declaredPage, &codePage_)) {
        if (!warned_)
            warning_ = QStringLiteral(
                           "Tabulka %1 udává neznámou kódovou stránku %2, texty se čtou "
                           "jako Windows-1250")
                           .arg(name)
                           .arg(declaredPage);
    }
    for (int i = 0; i < numFields; ++i) {
        defs_[i].name = dorvana::decode(names[size_t(i)], codePage_);
        if (defs_[i].name.isEmpty()) defs_[i].name = QStringLiteral("Pole%1").arg(i + 1);
    }
    if (!warning_.isEmpty() && !warned_) {
        qWarning("%s", qUtf8Printable(warning_));
        warned_ = true;
    }
    // The chain of data blocks.
    blocks_.clear();
    total_ = 0;
    qint64 block = firstBlock;
    // The last block may end short of a full block: what counts is that its
    // records lie inside the file.
    const qint64 maxBlocks =
        std::max<qint64>(0, (fileSize - headerSize + blockSize - 1) / blockSize);
    qint64 seen = 0;
    while (block != 0 && numRecords > 0) {
        if (block > maxBlocks || ++seen > maxBlocks)
            return bad(QStringLiteral("poškozený řetěz datových bloků"));
        const qint64 at = headerSize + (block - 1) * blockSize;
        QByteArray bh;
        if (!read(at, 6, &bh)) return bad(QStringLiteral("soubor je zkrácený"));
        const qint64 next = qFromLittleEndian<quint16>(bh.constData());
        const qint64 add = qFromLittleEndian<qint16>(bh.constData() + 4);
        const qint64 count = add < 0 ? 0 : add / recordSize_ + 1;
        if (6 + count * recordSize_ > blockSize)
            return bad(QStringLiteral("chybný datový blok %1").arg(block));
        if (at + 6 + count * recordSize_ > fileSize)
            return bad(QStringLiteral("soubor je zkrácený"));
        if (count > 0) {
            blocks_.push_back({at + 6, total_, count});
            total_ += count;
        }
        block = next;
    }
    if (!keepIds_) ids_.reset(total_);
    return true;
}

QByteArray ParadoxStore::readBlob(const char* p, int size, QString* error) const {
    const int leader = size - 10;
    const quint32 ref = qFromLittleEndian<quint32>(p + leader);
    const qint64 length = qFromLittleEndian<quint32>(p + leader + 4);
    if (length == 0) return {};
    if (length <= leader) return QByteArray(p, length);
    if (length > kMaxBlob) {
        if (error) *error = QStringLiteral("chybná délka blobu");
        return {};
    }
    const qint64 blockAt = ref & 0xFFFFFF00u;
    const int index = int(ref & 0xFF);
    QByteArray mb;
    auto readMb = [&](qint64 off, qint64 len, QByteArray* out) {
        if (inMemory_) {
            *out = off >= 0 ? blobImage_.mid(off, len) : QByteArray();
            return out->size() == len;
        }
        QFile f(blobPath_);
        if (!f.open(QIODevice::ReadOnly) || !f.seek(off)) return false;
        *out = f.read(len);
        return out->size() == len;
    };
    QByteArray head;
    if (!readMb(blockAt, 12 + 64 * 5, &head) && !readMb(blockAt, 9, &head)) {
        if (error) *error = QStringLiteral("blob chybí v souboru .mb");
        return {};
    }
    QByteArray data;
    if (index == 0xFF) {
        if (quint8(head[0]) != 2 || !readMb(blockAt + 9, length, &data)) {
            if (error) *error = QStringLiteral("poškozený blok blobu");
            return {};
        }
    } else {
        if (quint8(head[0]) != 3 || index >= 64 || head.size() < 12 + 64 * 5) {
            if (error) *error = QStringLiteral("poškozený blok blobu");
            return {};
        }
        const qint64 dataOffset = qint64(quint8(head[12 + index * 5])) * 16;
        if (dataOffset == 0 || !readMb(blockAt + dataOffset, length, &data)) {
            if (error) *error = QStringLiteral("poškozený blok blobu");
            return {};
        }
    }
    return data;
}

QVariant ParadoxStore::decode(const char* p, int i, QString* error) const {
    const int size = sizes_[size_t(i)];
    qint64 n = 0;
    double v = 0;
    switch (types_[size_t(i)]) {
        case kAlpha: {
            const qint64 len = qint64(strnlen(p, size_t(size)));
            if (len == 0) return {};
            return dorvana::decode(QByteArrayView(p, len), codePage_);
        }
        case kDate:
            // Days from 1.1.0001 = 1; a date before it (0 and less) is kept as
            // the proleptic Gregorian date, as any other.
            if (!flippedInteger(p, 4, &n)) return {};
            return QVariant(kDayOne.addDays(n - 1));
        case kShort:
            return flippedInteger(p, 2, &n) ? QVariant::fromValue<qint64>(n) : QVariant();
        case kLong:
        case kAutoinc:
            return flippedInteger(p, 4, &n) ? QVariant::fromValue<qint64>(n) : QVariant();
        case kCurrency:
        case kNumber:
            return flippedDouble(p, &v) ? QVariant(v) : QVariant();
        case kLogical: {
            const quint8 b = quint8(p[0]);
            if (b == 0) return {};
            return (b & 0x7F) != 0;
        }
        case kTime:
            if (!flippedInteger(p, 4, &n) || n < 0 || n >= 86400000) return {};
            return QTime(0, 0).addMSecs(int(n));
        case kTimestamp: {
            // Milliseconds from 1.1.0001 (day 1); negative ones before it.
            // Beyond some 280,000 years there is no date to show.
            if (!flippedDouble(p, &v) || std::fabs(v) > 9e15) return {};
            const qint64 ms = qint64(std::floor(v));
            qint64 days = ms / 86400000, rest = ms % 86400000;
            if (rest < 0) {
                rest += 86400000;
                --days;
            }
            return QDateTime(kDayOne.addDays(days - 1), QTime(0, 0).addMSecs(int(rest)));
        }
        case kBcd:
            return bcdValue(p);
        case kBytes: {
            // Trailing zeros are padding; a field of zeros only is empty.
            qsizetype len = size;
            while (len > 0 && p[len - 1] == 0) --len;
            return len == 0 ? QVariant() : QVariant(QByteArray(p, size));
        }
        default: {
            const QByteArray data = readBlob(p, size, error);
            if (data.isEmpty()) return {};
            if (defs_[i].type == FieldType::Memo) return dorvana::decode(data, codePage_);
            if (types_[size_t(i)] == kGraphic) return withoutGraphicHeader(data);
            return data;
        }
    }
}

bool ParadoxStore::readRows(qint64 first, qint64 count, QList<RawRecord>* out, QString* error) {
    if (first < 0 || first >= total_ || count <= 0) return true;
    const qint64 last = std::min(first + count, total_);
    auto it = std::upper_bound(blocks_.begin(), blocks_.end(), first,
                               [](qint64 row, const Block& b) { return row < b.firstRow; });
    --it;
    for (qint64 row = first; row < last; ++it) {
        const qint64 inBlock = row - it->firstRow;
        const qint64 n = std::min(it->count - inBlock, last - row);
        QByteArray buf;
        if (!read(it->offset + inBlock * recordSize_, n * recordSize_, &buf)) {
            if (error) *error = QStringLiteral("Tabulku %1 nelze číst").arg(path_);
            return false;
        }
        for (qint64 k = 0; k < n; ++k) {
            const char* rec = buf.constData() + k * recordSize_;
            RawRecord r(defs_.size());
            for (int i = 0; i < defs_.size(); ++i) {
                QString err;
                r[i] = decode(rec + offsets_[size_t(i)], i, &err);
                if (!err.isEmpty()) {
                    if (error)
                        *error = QStringLiteral("Tabulka %1, pole %2: %3")
                                     .arg(path_, defs_[i].name, err);
                    return false;
                }
            }
            out->append(std::move(r));
        }
        row += n;
    }
    return true;
}

bool ParadoxStore::canWrite(QString* reason) const {
    if (keyed_ || inMemory_) {
        if (reason)
            *reason = QStringLiteral("Tabulka Paradox %1 má primární index a lze ji jen číst")
                          .arg(QFileInfo(path_).fileName());
        return false;
    }
    if (!QFileInfo(path_).isWritable()) {
        if (reason) *reason = QStringLiteral("Soubor %1 je jen pro čtení").arg(path_);
        return false;
    }
    return true;
}

namespace {

QByteArray flipInteger(qint64 v, int n) {
    quint64 raw = quint64(v) ^ (quint64(1) << (8 * n - 1));
    QByteArray b(n, '\0');
    for (int i = n - 1; i >= 0; --i, raw >>= 8) b[i] = char(raw & 0xFF);
    return b;
}

QByteArray flipDouble(double v) {
    quint64 bits;
    memcpy(&bits, &v, 8);
    QByteArray b(8, '\0');
    for (int i = 7; i >= 0; --i, bits >>= 8) b[i] = char(bits & 0xFF);
    if (!std::signbit(v))
        b[0] = char(b[0] | 0x80);
    else
        for (char& c : b) c = char(~c);
    return b;
}

}  // namespace

bool ParadoxStore::writeAt(const QString& path, qint64 offset, const QByteArray& bytes,
                           QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite) || !f.seek(offset) || f.write(bytes) != bytes.size() ||
        !f.flush()) {
        if (error) *error = QStringLiteral("Soubor %1 nelze zapsat: %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

bool ParadoxStore::writeBlob(const QByteArray& data, int size, char* out, QString* error) {
    const int leader = size - 10;
    memset(out, 0, size_t(size));
    if (data.isEmpty()) return true;
    memcpy(out, data.constData(), size_t(std::min<qsizetype>(leader, data.size())));
    quint32 ref = 0;
    if (data.size() > leader) {
        // A single-blob block at the end of the blob file.
        QFile f(blobPath_);
        if (!f.open(QIODevice::ReadWrite)) {
            if (error)
                *error =
                    QStringLiteral("Soubor %1 nelze zapsat: %2").arg(blobPath_, f.errorString());
            return false;
        }
        const qint64 at = std::max<qint64>(4096, (f.size() + 4095) / 4096 * 4096);
        const qint64 chunks = (data.size() + 9 + 4095) / 4096;
        QByteArray block(chunks * 4096, '\0');
        block[0] = 2;
        qToLittleEndian<quint16>(quint16(chunks), block.data() + 1);
        qToLittleEndian<quint32>(quint32(data.size()), block.data() + 3);
        qToLittleEndian<quint16>(1, block.data() + 7);
        memcpy(block.data() + 9, data.constData(), size_t(data.size()));
        if (!f.seek(at) || f.write(block) != block.size() || !f.flush()) {
            if (error)
                *error =
                    QStringLiteral("Soubor %1 nelze zapsat: %2").arg(blobPath_, f.errorString());
            return false;
        }
        ref = quint32(at) | 0xFF;
    }
    qToLittleEndian<quint32>(ref, out + leader);
    qToLittleEndian<quint32>(quint32(data.size()), out + leader + 4);
    qToLittleEndian<quint16>(1, out + leader + 8);
    return true;
}

bool ParadoxStore::encode(const RawRecord& values, QByteArray* rec, QString* error) {
    rec->fill('\0', recordSize_);
    for (int i = 0; i < defs_.size(); ++i) {
        char* p = rec->data() + offsets_[size_t(i)];
        const int size = sizes_[size_t(i)];
        const QVariant& v = values.value(i);
        if (v.isNull()) continue;
        QByteArray b;
        switch (types_[size_t(i)]) {
            case kAlpha: {
                b = dorvana::encode(v.toString(), codePage_);
                if (b.size() > size) {
                    if (error)
                        *error = QStringLiteral("Text pole %1 je delší než %2 znaků")
                                     .arg(defs_[i].name)
                                     .arg(size);
                    return false;
                }
                break;
            }
            case kDate:
                b = flipInteger(kDayOne.daysTo(v.toDate()) + 1, 4);
                break;
            case kShort:
                b = flipInteger(v.toLongLong(), 2);
                break;
            case kLong:
            case kAutoinc:
                b = flipInteger(v.toLongLong(), 4);
                break;
            case kCurrency:
            case kNumber:
                b = flipDouble(v.toDouble());
                break;
            case kLogical:
                b = QByteArray(1, char(v.toBool() ? 0x81 : 0x80));
                break;
            case kTime:
                b = flipInteger(QTime(0, 0).msecsTo(v.toTime()), 4);
                break;
            case kTimestamp: {
                const QDateTime dt = v.toDateTime();
                b = flipDouble((double(kDayOne.daysTo(dt.date()) + 1) * 86400000.0) +
                               QTime(0, 0).msecsTo(dt.time()));
                break;
            }
            case kBytes:
                b = v.toByteArray().leftJustified(size, '\0', true);
                break;
            case kBcd:
                if (error)
                    *error = QStringLiteral("Pole %1 typu BCD nelze zapisovat").arg(defs_[i].name);
                return false;
            default: {
                QByteArray data = defs_[i].type == FieldType::Memo
                                      ? dorvana::encode(v.toString(), codePage_)
                                      : v.toByteArray();
                if (types_[size_t(i)] == kGraphic && !data.isEmpty()) {
                    // The graphic header Paradox expects before the picture.
                    QByteArray header(8, '\0');
                    header[0] = 1;
                    qToLittleEndian<quint32>(quint32(data.size()), header.data() + 4);
                    data.prepend(header);
                }
                if (!writeBlob(data, size, p, error)) return false;
                continue;
            }
        }
        memcpy(p, b.constData(), size_t(std::min<qsizetype>(b.size(), size)));
    }
    return true;
}

bool ParadoxStore::locate(qint64 row, qint64* fileOffset, qint64* blockIndex) const {
    if (row < 0 || row >= total_) return false;
    auto it = std::upper_bound(blocks_.begin(), blocks_.end(), row,
                               [](qint64 r, const Block& b) { return r < b.firstRow; });
    --it;
    *blockIndex = qint64(it - blocks_.begin());
    *fileOffset = it->offset + (row - it->firstRow) * recordSize_;
    return true;
}

bool ParadoxStore::updateRow(qint64 row, const RawRecord& values, qint64* newRow, QString* error) {
    if (!canWrite(error)) return false;
    qint64 at = 0, b = 0;
    QByteArray rec;
    if (!locate(row, &at, &b) || !encode(values, &rec, error) || !writeAt(path_, at, rec, error)) {
        if (error && error->isEmpty()) *error = QStringLiteral("Záznam nebyl nalezen");
        return false;
    }
    *newRow = row;
    return true;
}

bool ParadoxStore::insertRow(const RawRecord& in, qint64* newRow, QString* error) {
    if (!canWrite(error)) return false;
    QByteArray head;
    if (!read(0, 0x58, &head)) {
        if (error) *error = QStringLiteral("Tabulku %1 nelze číst").arg(path_);
        return false;
    }
    RawRecord values = in;
    quint32 autoInc = qFromLittleEndian<quint32>(head.constData() + 0x49);
    for (int i = 0; i < defs_.size(); ++i)
        if (types_[size_t(i)] == kAutoinc && values.value(i).isNull())
            values[i] = QVariant::fromValue<qint64>(++autoInc);
    QByteArray rec;
    if (!encode(values, &rec, error)) return false;
    const qint64 lastBlock = qFromLittleEndian<quint16>(head.constData() + 0x10);
    qint64 fileBlocks = qFromLittleEndian<quint16>(head.constData() + 0x0C);
    qint64 count = 0;
    if (lastBlock > 0) {
        QByteArray bh;
        if (!read(headerSize_ + (lastBlock - 1) * blockSize_, 6, &bh)) return false;
        const qint64 add = qFromLittleEndian<qint16>(bh.constData() + 4);
        count = add < 0 ? 0 : add / recordSize_ + 1;
    }
    qint64 block = lastBlock;
    if (lastBlock == 0 || 6 + (count + 1) * recordSize_ > blockSize_) {
        if (fileBlocks >= 0xFFFF) {
            if (error) *error = QStringLiteral("Tabulka %1 je plná").arg(path_);
            return false;
        }
        block = ++fileBlocks;
        QByteArray nb(blockSize_, '\0');
        qToLittleEndian<quint16>(quint16(lastBlock), nb.data() + 2);
        qToLittleEndian<qint16>(qint16(-recordSize_), nb.data() + 4);
        if (!writeAt(path_, headerSize_ + (block - 1) * blockSize_, nb, error)) return false;
        if (lastBlock > 0) {
            QByteArray next(2, '\0');
            qToLittleEndian<quint16>(quint16(block), next.data());
            if (!writeAt(path_, headerSize_ + (lastBlock - 1) * blockSize_, next, error))
                return false;
        }
        count = 0;
    }
    const qint64 blockAt = headerSize_ + (block - 1) * blockSize_;
    QByteArray add(2, '\0');
    qToLittleEndian<qint16>(qint16(count * recordSize_), add.data());
    if (!writeAt(path_, blockAt + 6 + count * recordSize_, rec, error) ||
        !writeAt(path_, blockAt + 4, add, error))
        return false;
    QByteArray h = head;
    qToLittleEndian<quint32>(quint32(total_ + 1), h.data() + 6);
    qToLittleEndian<quint16>(quint16(fileBlocks), h.data() + 0x0A);
    qToLittleEndian<quint16>(quint16(fileBlocks), h.data() + 0x0C);
    if (qFromLittleEndian<quint16>(h.constData() + 0x0E) == 0)
        qToLittleEndian<quint16>(quint16(block), h.data() + 0x0E);
    qToLittleEndian<quint16>(quint16(block), h.data() + 0x10);
    qToLittleEndian<quint32>(autoInc, h.data() + 0x49);
    if (!writeAt(path_, 0, h, error)) return false;
    keepIds_ = true;
    const bool ok = load(error);
    keepIds_ = false;
    if (!ok) return false;
    ids_.appended();
    ids_.check(total_);
    *newRow = total_ - 1;
    return true;
}

bool ParadoxStore::deleteRow(qint64 row, QString* error) {
    if (!canWrite(error)) return false;
    qint64 at = 0, b = 0;
    if (!locate(row, &at, &b)) {
        if (error) *error = QStringLiteral("Záznam nebyl nalezen");
        return false;
    }
    const Block& blk = blocks_[size_t(b)];
    const qint64 after = blk.firstRow + blk.count - row - 1;
    QByteArray rest;
    if (after > 0 && !read(at + recordSize_, after * recordSize_, &rest)) return false;
    rest += QByteArray(recordSize_, '\0');
    QByteArray add(2, '\0');
    qToLittleEndian<qint16>(qint16((blk.count - 2) * recordSize_), add.data());
    QByteArray n(4, '\0');
    qToLittleEndian<quint32>(quint32(total_ - 1), n.data());
    if (!writeAt(path_, at, rest, error) || !writeAt(path_, blk.offset - 2, add, error) ||
        !writeAt(path_, 6, n, error))
        return false;
    keepIds_ = true;
    const bool ok = load(error);
    keepIds_ = false;
    ids_.erased(row);
    ids_.check(total_);
    return ok;
}

bool createParadoxFile(const QString& path, const FieldDefs& defs, QString* error) {
    if (defs.isEmpty() || defs.size() > 255) {
        if (error) *error = QStringLiteral("Tabulka Paradox musí mít 1 až 255 polí");
        return false;
    }
    QList<QPair<quint8, int>> cols;
    bool blobs = false;
    int recordSize = 0;
    for (const FieldDef& d : defs) {
        quint8 t = 0;
        int size = 0;
        switch (d.type) {
            case FieldType::String:
                if (d.size < 1 || d.size > 255) {
                    if (error)
                        *error = QStringLiteral(
                                     "Pole %1: délka textu v tabulce Paradox musí být 1 až 255")
                                     .arg(d.name);
                    return false;
                }
                t = kAlpha, size = d.size;
                break;
            case FieldType::Smallint:
                t = kShort, size = 2;
                break;
            case FieldType::Integer:
            case FieldType::Word:
                t = kLong, size = 4;
                break;
            case FieldType::Autoinc:
                t = kAutoinc, size = 4;
                break;
            case FieldType::Boolean:
                t = kLogical, size = 1;
                break;
            case FieldType::Float:
            case FieldType::BCD:
                t = kNumber, size = 8;
                break;
            case FieldType::Currency:
                t = kCurrency, size = 8;
                break;
            case FieldType::Date:
                t = kDate, size = 4;
                break;
            case FieldType::Time:
                t = kTime, size = 4;
                break;
            case FieldType::DateTime:
                t = kTimestamp, size = 8;
                break;
            case FieldType::Bytes:
                if (d.size < 1 || d.size > 255) {
                    if (error)
                        *error = QStringLiteral("Pole %1: délka v bajtech musí být 1 až 255")
                                     .arg(d.name);
                    return false;
                }
                t = kBytes, size = d.size;
                break;
            case FieldType::Memo:
                t = kMemo, size = 11;
                break;
            case FieldType::Graphic:
                t = kGraphic, size = 11;
                break;
            case FieldType::Blob:
            case FieldType::VarBytes:
                t = kBlob, size = 11;
                break;
            default:
                if (error) *error = QStringLiteral("Pole %1 nemá typ").arg(d.name);
                return false;
        }
        blobs = blobs || isBlobField(t);
        cols.append({t, size});
        recordSize += size;
    }
    if (recordSize > 32 * 0x400 - 6) {
        if (error) *error = QStringLiteral("Záznam tabulky Paradox je příliš dlouhý");
        return false;
    }
    QByteArray names;
    for (const FieldDef& d : defs) names += dorvana::encode(d.name, CodePage::Windows1250) + '\0';
    const int n = int(defs.size());
    const qint64 used = 0x78 + 2 * n + 4 + 4 * n + 261 + names.size() + 2 * n + 16;
    const qint64 headerSize = (used + 0x7FF) / 0x800 * 0x800;
    if (headerSize > 0xF800) {
        if (error) *error = QStringLiteral("Hlavička tabulky Paradox je příliš dlouhá");
        return false;
    }
    const int blockK = int(std::max<qint64>(2, (recordSize + 6 + 0x3FF) / 0x400));
    QByteArray h(headerSize, '\0');
    char* d = h.data();
    qToLittleEndian<quint16>(quint16(recordSize), d);
    qToLittleEndian<quint16>(quint16(headerSize), d + 2);
    d[4] = 2;  // no primary index
    d[5] = char(blockK);
    qToLittleEndian<quint16>(quint16(n), d + 0x21);
    d[0x39] = 0x0C;
    qToLittleEndian<quint16>(0x0C, d + 0x58);
    qToLittleEndian<quint16>(0x0C, d + 0x5A);
    qToLittleEndian<quint16>(1250, d + 0x6A);
    int pos = 0x78;
    for (const auto& c : cols) {
        d[pos++] = char(c.first);
        d[pos++] = char(c.second);
    }
    pos += 4 + 4 * n;
    const QByteArray table =
        dorvana::encode(QFileInfo(path).fileName(), CodePage::Windows1250).left(260);
    memcpy(d + pos, table.constData(), size_t(table.size()));
    pos += 261;
    memcpy(d + pos, names.constData(), size_t(names.size()));
    pos += int(names.size());
    for (int i = 0; i < n; ++i) qToLittleEndian<quint16>(quint16(i + 1), d + pos + 2 * i);
    if (!writeFileAtomically(path, h, error)) return false;
    const QFileInfo fi(path);
    const QString base = fi.path() + QLatin1Char('/') + fi.completeBaseName();
    QFile::remove(base + QStringLiteral(".px"));
    const QString mbPath = base + (fi.suffix() == fi.suffix().toUpper() ? QStringLiteral(".MB")
                                                                        : QStringLiteral(".mb"));
    QFile::remove(mbPath);
    if (blobs) {
        QByteArray mb(4096, '\0');
        qToLittleEndian<quint16>(1, mb.data() + 1);
        qToLittleEndian<quint16>(0x1000, mb.data() + 11);
        qToLittleEndian<quint16>(0x1000, mb.data() + 13);
        mb[16] = 0x10;
        qToLittleEndian<quint16>(0x40, mb.data() + 17);
        qToLittleEndian<quint16>(0x800, mb.data() + 19);
        if (!writeFileAtomically(mbPath, mb, error)) return false;
    }
    return true;
}

}  // namespace dorvana

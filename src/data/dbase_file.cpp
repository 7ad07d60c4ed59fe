#include "data/dbase_file.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTime>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <optional>

#include "base/safe_file.h"
#include "data/field_value.h"

namespace dorvana {

namespace {

constexpr qint64 kMaxMemo = 64 * 1024 * 1024;

// The code page a language-driver byte (header byte 29) names; false for
// a byte we do not know. 0 declares nothing (Windows-1250 then).
bool pageOfDriver(quint8 id, CodePage* page) {
    struct Driver {
        quint8 id;
        CodePage page;
    };
    static constexpr Driver kDrivers[] = {
        {0x01, CodePage::Cp437},       {0x02, CodePage::Cp850},       {0x03, CodePage::Windows1252},
        {0x04, CodePage::MacRoman},    {0x08, CodePage::Cp865},       {0x09, CodePage::Cp437},
        {0x0A, CodePage::Cp850},       {0x0B, CodePage::Cp437},       {0x0D, CodePage::Cp437},
        {0x0E, CodePage::Cp850},       {0x0F, CodePage::Cp437},       {0x10, CodePage::Cp850},
        {0x11, CodePage::Cp437},       {0x12, CodePage::Cp850},       {0x13, CodePage::ShiftJis},
        {0x14, CodePage::Cp850},       {0x15, CodePage::Cp437},       {0x16, CodePage::Cp850},
        {0x17, CodePage::Cp865},       {0x18, CodePage::Cp437},       {0x19, CodePage::Cp437},
        {0x1A, CodePage::Cp850},       {0x1B, CodePage::Cp437},       {0x1C, CodePage::Cp863},
        {0x1D, CodePage::Cp850},       {0x1F, CodePage::Cp852},       {0x22, CodePage::Cp852},
        {0x23, CodePage::Cp852},       {0x24, CodePage::Cp860},       {0x25, CodePage::Cp850},
        {0x26, CodePage::Cp866},       {0x37, CodePage::Cp850},       {0x40, CodePage::Cp852},
        {0x4D, CodePage::Gbk},         {0x4E, CodePage::Korean},      {0x4F, CodePage::Big5},
        {0x50, CodePage::Windows874},  {0x58, CodePage::Windows1252}, {0x59, CodePage::Windows1252},
        {0x64, CodePage::Cp852},       {0x65, CodePage::Cp866},       {0x66, CodePage::Cp865},
        {0x67, CodePage::Cp861},       {0x68, CodePage::Kamenicky},   {0x69, CodePage::Mazovia},
        {0x6A, CodePage::Cp737},       {0x6B, CodePage::Cp857},       {0x6C, CodePage::Cp863},
        {0x78, CodePage::Big5},        {0x79, CodePage::Korean},      {0x7A, CodePage::Gbk},
        {0x7B, CodePage::ShiftJis},    {0x7C, CodePage::Windows874},  {0x7D, CodePage::Windows1255},
        {0x7E, CodePage::Windows1256}, {0x86, CodePage::Cp737},       {0x87, CodePage::Cp852},
        {0x88, CodePage::Cp857},       {0xC8, CodePage::Windows1250}, {0xC9, CodePage::Windows1251},
        {0xCA, CodePage::Windows1254}, {0xCB, CodePage::Windows1253}, {0xCC, CodePage::Windows1257},
    };
    for (const Driver& d : kDrivers)
        if (d.id == id) {
            *page = d.page;
            return true;
        }
    return false;
}

bool isFoxPro(quint8 version) {
    return version == 0x30 || version == 0x31 || version == 0x32 || version == 0xF5 ||
           version == 0xFB;
}

bool isVisualFoxPro(quint8 version) {
    return version == 0x30 || version == 0x31 || version == 0x32;
}

// The file beside dbf with the extension ext in any letter case; the
// lower-case name (or upper-case, for an upper-case table name) when none.
QString siblingOf(const QString& dbf, const QString& ext) {
    const QFileInfo fi(dbf);
    const QString base = fi.completeBaseName();
    for (const QString& e : {ext, ext.toUpper()}) {
        const QString p = fi.path() + QLatin1Char('/') + base + QLatin1Char('.') + e;
        if (QFileInfo::exists(p)) return p;
    }
    const QDir dir = fi.dir();
    const QStringList names = dir.entryList({base + QLatin1Char('.') + ext}, QDir::Files);
    if (!names.isEmpty()) return dir.filePath(names.first());
    return fi.path() + QLatin1Char('/') + base + QLatin1Char('.') +
           (fi.suffix() == fi.suffix().toUpper() && !fi.suffix().isEmpty() ? ext.toUpper() : ext);
}

QString memoPathOf(const QString& dbf) {
    return siblingOf(dbf, QStringLiteral("dbt"));
}

bool columnOfDef(const FieldDef& d, DbaseStore::Column* c, QString* error) {
    switch (d.type) {
        case FieldType::String:
            if (d.size < 1 || d.size > 254) {
                if (error)
                    *error =
                        QStringLiteral("Pole %1: délka textu v tabulce dBase musí být 1 až 254")
                            .arg(d.name);
                return false;
            }
            *c = {'C', 0, d.size, 0};
            return true;
        case FieldType::Smallint:
            *c = {'N', 0, 6, 0};
            return true;
        case FieldType::Integer:
        case FieldType::Autoinc:
            *c = {'N', 0, 11, 0};
            return true;
        case FieldType::Word:
            *c = {'N', 0, 5, 0};
            return true;
        case FieldType::Float:
            *c = {'N', 0, 20, 6};
            return true;
        case FieldType::Currency:
        case FieldType::BCD:
            *c = {'N', 0, 20, 4};
            return true;
        case FieldType::Boolean:
            *c = {'L', 0, 1, 0};
            return true;
        case FieldType::Date:
            *c = {'D', 0, 8, 0};
            return true;
        case FieldType::Memo:
            *c = {'M', 0, 10, 0};
            return true;
        case FieldType::Blob:
            *c = {'B', 0, 10, 0};
            return true;
        case FieldType::Graphic:
            *c = {'G', 0, 10, 0};
            return true;
        default:
            if (error)
                *error = QStringLiteral("Pole %1: typ %2 nelze uložit do tabulky dBase")
                             .arg(d.name, fieldTypeName(d.type));
            return false;
    }
}

}  // namespace

bool createDbaseFile(const QString& path, const FieldDefs& defs, QString* error) {
    if (defs.isEmpty()) {
        if (error) *error = QStringLiteral("Tabulka musí mít alespoň jedno pole");
        return false;
    }
    if (defs.size() > 255) {
        if (error) *error = QStringLiteral("Tabulka dBase může mít nejvýše 255 polí");
        return false;
    }
    QByteArray head(32, '\0');
    QByteArray fields;
    int recLen = 1;
    bool memo = false;
    QStringList seen;
    for (const FieldDef& d : defs) {
        DbaseStore::Column c;
        if (!columnOfDef(d, &c, error)) return false;
        const QByteArray name = encode(d.name.toUpper(), CodePage::Windows1250);
        if (name.isEmpty() || name.size() > 10) {
            if (error)
                *error = QStringLiteral("Jméno pole „%1“ musí mít 1 až 10 znaků").arg(d.name);
            return false;
        }
        if (seen.contains(d.name, Qt::CaseInsensitive)) {
            if (error) *error = QStringLiteral("Duplicitní pole %1").arg(d.name);
            return false;
        }
        seen << d.name;
        QByteArray fd(32, '\0');
        memcpy(fd.data(), name.constData(), size_t(name.size()));
        fd[11] = c.type;
        fd[16] = char(c.length);
        fd[17] = char(c.decimals);
        fields += fd;
        recLen += c.length;
        memo = memo || c.type == 'M' || c.type == 'B' || c.type == 'G';
    }
    if (recLen > 65535) {
        if (error) *error = QStringLiteral("Záznam tabulky dBase je příliš dlouhý");
        return false;
    }
    const QDate today = QDate::currentDate();
    head[0] = char(memo ? 0x83 : 0x03);
    head[1] = char(today.year() - 1900);
    head[2] = char(today.month());
    head[3] = char(today.day());
    qToLittleEndian<quint16>(quint16(32 + fields.size() + 1), head.data() + 8);
    qToLittleEndian<quint16>(quint16(recLen), head.data() + 10);
    head[29] = char(0xC8);
    const QByteArray file = head + fields + '\r' + '\x1A';
    if (!writeFileAtomically(path, file, error)) return false;
    const QString memoPath = memoPathOf(path);
    if (memo) {
        QByteArray mh(512, '\0');
        qToLittleEndian<quint32>(1, mh.data());
        mh[16] = 0x03;
        if (!writeFileAtomically(memoPath, mh, error)) return false;
    } else {
        QFile::remove(memoPath);
    }
    return true;
}

std::unique_ptr<DbaseStore> DbaseStore::open(const QString& path, QString* error) {
    std::unique_ptr<DbaseStore> s(new DbaseStore);
    s->path_ = path;
    s->memoPath_ = memoPathOf(path);
    if (!QFileInfo(path).isFile()) {
        if (error) *error = QStringLiteral("Soubor %1 neexistuje").arg(path);
        return nullptr;
    }
    s->readOnly_ = !QFileInfo(path).isWritable();
    if (!s->reload(error)) return nullptr;
    return s;
}

std::unique_ptr<DbaseStore> DbaseStore::openBytes(const QByteArray& dbf, const QByteArray& memo,
                                                  QString* error) {
    std::unique_ptr<DbaseStore> s(new DbaseStore);
    s->inMemory_ = true;
    s->readOnly_ = true;
    s->image_ = dbf;
    s->memoImage_ = memo;
    s->path_ = QStringLiteral("(paměť)");
    if (!s->reload(error)) return nullptr;
    return s;
}

bool DbaseStore::readBytes(qint64 offset, qint64 length, QByteArray* out) const {
    if (inMemory_) {
        if (offset < 0 || offset > image_.size()) return false;
        *out = image_.mid(offset, length);
        return out->size() == length;
    }
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(offset)) return false;
    *out = f.read(length);
    return out->size() == length;
}

bool DbaseStore::reload(QString* error) {
    const QString name = inMemory_ ? path_ : QFileInfo(path_).fileName();
    qint64 fileSize = 0;
    QByteArray head;
    if (inMemory_) {
        fileSize = image_.size();
        head = image_.left(65536 + 32);
    } else {
        QFile f(path_);
        if (!f.open(QIODevice::ReadOnly)) {
            if (error)
                *error = QStringLiteral("Soubor %1 nelze otevřít: %2").arg(path_, f.errorString());
            return false;
        }
        fileSize = f.size();
        head = f.read(65536 + 32);
    }
    QString why;
    if (!parseHeader(head, fileSize, &why)) {
        if (error)
            *error = QStringLiteral("Soubor %1 není platná tabulka dBase: %2").arg(name, why);
        return false;
    }
    if (!warning_.isEmpty() && !warned_) {
        qWarning("%s", qUtf8Printable(warning_));
        warned_ = true;
    }
    if (hasMemo_) {
        // FoxPro keeps memos in a .fpt file, dBase in a .dbt file; a table
        // whose own kind is missing takes the other one when it is there.
        const quint8 version = quint8(head[0]);
        foxMemo_ = isFoxPro(version);
        if (!inMemory_) {
            const QString dbt = memoPathOf(path_);
            const QString fpt = siblingOf(path_, QStringLiteral("fpt"));
            if (foxMemo_ && !QFileInfo::exists(fpt) && QFileInfo::exists(dbt))
                foxMemo_ = false;
            else if (!foxMemo_ && !QFileInfo::exists(dbt) && QFileInfo::exists(fpt))
                foxMemo_ = true;
            memoPath_ = foxMemo_ ? fpt : dbt;
        }
        QByteArray mh;
        if (inMemory_) {
            mh = memoImage_.left(512);
        } else {
            QFile m(memoPath_);
            if (!m.open(QIODevice::ReadOnly)) {
                if (error)
                    *error = QStringLiteral("Chybí soubor poznámek %1 tabulky %2")
                                 .arg(QFileInfo(memoPath_).fileName(), name);
                return false;
            }
            mh = m.read(512);
        }
        memoBlockSize_ = 512;
        if (foxMemo_) {
            // FoxPro: the block length, big-endian, at offset 6.
            const quint16 bl = mh.size() >= 8 ? qFromBigEndian<quint16>(mh.constData() + 6) : 0;
            if (bl == 0) {
                if (error)
                    *error = QStringLiteral("Soubor poznámek %1 tabulky %2 je poškozený")
                                 .arg(QFileInfo(memoPath_).fileName(), name);
                return false;
            }
            memoBlockSize_ = bl;
        } else if (mh.size() >= 22) {
            // dBase IV memo files keep their block length at offset 20.
            const quint16 bl = qFromLittleEndian<quint16>(mh.constData() + 20);
            if ((quint8(head[0]) & 0x07) == 0x03 && (quint8(head[0]) & 0x08) && bl >= 64 &&
                bl <= 32768)
                memoBlockSize_ = bl;
        }
    }
    // The records that are not deleted.
    rows_.clear();
    const qint64 chunkRecs = std::max<qint64>(1, (1 << 20) / recordLength_);
    for (qint64 p = 0; p < physicalCount_; p += chunkRecs) {
        const qint64 n = std::min(chunkRecs, physicalCount_ - p);
        QByteArray buf;
        if (!readBytes(headerLength_ + p * recordLength_, n * recordLength_, &buf)) {
            if (error) *error = QStringLiteral("Soubor %1 je zkrácený").arg(name);
            return false;
        }
        for (qint64 i = 0; i < n; ++i)
            if (buf[i * recordLength_] != '*') rows_.push_back(quint32(p + i));
    }
    return true;
}

bool DbaseStore::parseHeader(const QByteArray& head, qint64 fileSize, QString* why) {
    if (head.size() < 33) {
        *why = QStringLiteral("soubor je příliš krátký");
        return false;
    }
    const quint8 version = quint8(head[0]);
    const quint8 kind = version & 0x07;
    if (kind == 0x04) {
        *why = QStringLiteral("dBase 7 není podporován");
        return false;
    }
    if (kind != 0x03 && !isFoxPro(version)) {
        *why = QStringLiteral("neznámá verze %1").arg(version, 2, 16, QLatin1Char('0'));
        return false;
    }
    const bool visualFox = isVisualFoxPro(version);
    physicalCount_ = qFromLittleEndian<quint32>(head.constData() + 4);
    headerLength_ = qFromLittleEndian<quint16>(head.constData() + 8);
    recordLength_ = qFromLittleEndian<quint16>(head.constData() + 10);
    const quint8 driver = quint8(head[29]);
    codePage_ = CodePage::Windows1250;
    if (driver != 0 && !pageOfDriver(driver, &codePage_) && !warned_)
        warning_ = QStringLiteral(
                       "Tabulka %1 udává neznámý jazykový ovladač 0x%2, texty se čtou "
                       "jako Windows-1250")
                       .arg(inMemory_ ? path_ : QFileInfo(path_).fileName())
                       .arg(driver, 2, 16, QLatin1Char('0'));
    if (headerLength_ < 33 || headerLength_ > fileSize || headerLength_ > head.size()) {
        *why = QStringLiteral("chybná délka hlavičky");
        return false;
    }
    if (recordLength_ < 1) {
        *why = QStringLiteral("chybná délka záznamu");
        return false;
    }
    defs_.clear();
    cols_.clear();
    hasMemo_ = false;
    nullFlagsOffset_ = -1;
    nullFlagsLength_ = 0;
    writeBlocker_.clear();
    int offset = 0;
    int flagBits = 0;
    qint64 pos = 32;
    while (pos + 32 <= headerLength_ && head[pos] != '\r') {
        const char* fd = head.constData() + pos;
        const int nameLen = int(strnlen(fd, 11));
        FieldDef d;
        // Only blanks pad a name: a byte such as 0xA0 (a no-break space in
        // Windows-1250) belongs to it.
        d.name = decode(QByteArrayView(fd, nameLen), codePage_);
        while (d.name.endsWith(u' ')) d.name.chop(1);
        while (d.name.startsWith(u' ')) d.name.remove(0, 1);
        Column c;
        c.type = char(QChar::fromLatin1(fd[11]).toUpper().toLatin1());
        c.length = quint8(fd[16]);
        c.decimals = quint8(fd[17]);
        c.offset = offset;
        const quint8 flags = quint8(fd[18]);
        auto unsupported = [&] {
            *why = QStringLiteral("pole %1 má nepodporovaný typ „%2“")
                       .arg(d.name, QChar::fromLatin1(c.type));
            return false;
        };
        if ((c.type == 'C' || c.type == 'V' || c.type == 'Q') && isFoxPro(version))
            c.length += c.decimals << 8, c.decimals = 0;
        bool fixedLength = true;  // a binary field of exactly this length
        int expect = 0;
        switch (c.type) {
            case 'C':
                d.type = FieldType::String;
                d.size = c.length;
                fixedLength = false;
                break;
            case 'N':
            case 'F':
                d.type = c.decimals == 0 && c.length <= 11 ? FieldType::Integer : FieldType::Float;
                fixedLength = false;
                break;
            case 'D':
                d.type = FieldType::Date;
                expect = 8;
                break;
            case 'L':
                d.type = FieldType::Boolean;
                fixedLength = false;
                break;
            case 'M':
                d.type = FieldType::Memo;
                hasMemo_ = true;
                fixedLength = false;
                break;
            case 'B':
                if (visualFox) {  // a double in Visual FoxPro, a binary memo elsewhere
                    d.type = FieldType::Float;
                    expect = 8;
                } else {
                    d.type = FieldType::Blob;
                    hasMemo_ = true;
                    fixedLength = false;
                }
                break;
            case 'P':
                if (!isFoxPro(version)) return unsupported();
                [[fallthrough]];
            case 'G':
                d.type = FieldType::Graphic;
                hasMemo_ = true;
                fixedLength = false;
                break;
            case 'W':
                if (!visualFox) return unsupported();
                d.type = FieldType::Blob;
                hasMemo_ = true;
                fixedLength = false;
                break;
            case 'I':
                d.type = FieldType::Integer;
                expect = 4;
                break;
            case 'O':
                d.type = FieldType::Float;
                expect = 8;
                break;
            case 'T':
                if (!visualFox) return unsupported();
                d.type = FieldType::DateTime;
                expect = 8;
                break;
            case 'Y':
                if (!visualFox) return unsupported();
                d.type = FieldType::Currency;
                expect = 8;
                break;
            case 'V':
                if (!visualFox) return unsupported();
                d.type = FieldType::String;
                d.size = c.length;
                fixedLength = false;
                break;
            case 'Q':
                if (!visualFox) return unsupported();
                d.type = FieldType::VarBytes;
                d.size = c.length;
                fixedLength = false;
                break;
            case '0':
                // The hidden null flags of Visual FoxPro.
                if (!visualFox || nullFlagsOffset_ >= 0 || c.length == 0) {
                    *why = QStringLiteral("chybný popis pole %1").arg(defs_.size() + 1);
                    return false;
                }
                nullFlagsOffset_ = offset;
                nullFlagsLength_ = c.length;
                offset += c.length;
                pos += 32;
                continue;
            default:
                return unsupported();
        }
        if (c.length == 0 || d.name.isEmpty() || (fixedLength && c.length != expect)) {
            *why = QStringLiteral("chybný popis pole %1").arg(defs_.size() + 1);
            return false;
        }
        if ((d.type == FieldType::Memo || d.type == FieldType::Blob ||
             d.type == FieldType::Graphic) &&
            c.length != 10 && c.length != 4) {
            *why = QStringLiteral("chybný popis pole %1").arg(d.name);
            return false;
        }
        if (visualFox) {
            // Bits of the null flags, in field order: a varying field's
            // length bit, then a nullable field's null bit.
            if (c.type == 'V' || c.type == 'Q') c.lengthBit = flagBits++;
            if (flags & 0x02) c.nullBit = flagBits++;
        }
        if (strchr("TYVQ", c.type) || (visualFox && c.type == 'B'))
            writeBlocker_ = QStringLiteral("pole %1 typu Visual FoxPro").arg(d.name);
        offset += c.length;
        defs_.append(d);
        cols_.push_back(c);
        pos += 32;
    }
    if (defs_.isEmpty()) {
        *why = QStringLiteral("tabulka nemá žádné pole");
        return false;
    }
    if (offset + 1 > recordLength_) {
        *why = QStringLiteral("pole přesahují délku záznamu");
        return false;
    }
    // Without the null flags field (or bits beyond it) nothing is marked empty.
    if (nullFlagsOffset_ >= 0 && writeBlocker_.isEmpty())
        writeBlocker_ = QStringLiteral("příznaky prázdných hodnot Visual FoxPro");
    if (headerLength_ + physicalCount_ * recordLength_ > fileSize) {
        *why =
            QStringLiteral("soubor je zkrácený (hlavička udává %1 záznamů, v souboru je jich %2)")
                .arg(physicalCount_)
                .arg((fileSize - headerLength_) / recordLength_);
        return false;
    }
    return true;
}

QByteArray DbaseStore::readMemo(qint64 block, QString* error) const {
    if (block <= 0) return {};
    const qint64 start = block * memoBlockSize_;
    QByteArray first;
    QFile m;
    auto read = [&](qint64 off, qint64 len, QByteArray* out) {
        if (inMemory_) {
            *out = off >= 0 && off < memoImage_.size() ? memoImage_.mid(off, len) : QByteArray();
            return;
        }
        if (!m.isOpen()) {
            m.setFileName(memoPath_);
            if (!m.open(QIODevice::ReadOnly)) {
                out->clear();
                return;
            }
        }
        *out = m.seek(off) ? m.read(len) : QByteArray();
    };
    read(start, 8, &first);
    // A memo with a length in front: FoxPro (a big-endian type, 0 picture or
    // 1 text, and length) or dBase IV (FF FF 08 00 and a little-endian length
    // that counts these 8 bytes).
    std::optional<qint64> sized;
    if (foxMemo_)
        sized = first.size() == 8 ? qint64(qFromBigEndian<quint32>(first.constData() + 4)) : -1;
    else if (first.size() == 8 && quint8(first[0]) == 0xFF && quint8(first[1]) == 0xFF &&
             first[2] == 0x08 && first[3] == 0x00)
        sized = qint64(qFromLittleEndian<quint32>(first.constData() + 4)) - 8;
    if (sized) {
        const qint64 len = *sized;
        if (len < 0 || len > kMaxMemo) {
            if (error) *error = QStringLiteral("chybná délka poznámky v bloku %1").arg(block);
            return {};
        }
        QByteArray data;
        read(start + 8, len, &data);
        if (data.size() != len && error)
            *error = QStringLiteral("poznámka v bloku %1 je zkrácená").arg(block);
        return data;
    }
    // dBase III: the text runs to the first 0x1A.
    QByteArray data;
    for (qint64 off = start; data.size() < kMaxMemo; off += 4096) {
        QByteArray part;
        read(off, 4096, &part);
        const qsizetype end = part.indexOf('\x1A');
        if (end >= 0) return data + part.left(end);
        data += part;
        if (part.size() < 4096) break;  // end of file without a terminator
    }
    return data;
}

QVariant DbaseStore::decodeField(const char* rec, int i, QString* error) const {
    const Column& c = cols_[size_t(i)];
    const char* p = rec + 1 + c.offset;
    if (c.nullBit >= 0 && nullFlag(rec, c.nullBit)) return {};
    const QByteArray raw(p, c.length);
    switch (c.type) {
        case 'C':
        case 'V': {
            // dBase programs end a text at a zero byte; a varying text not
            // filled up keeps its length in its last byte.
            QByteArray t = raw;
            if (c.lengthBit >= 0 && nullFlag(rec, c.lengthBit))
                t.truncate(std::min<qsizetype>(quint8(raw.back()), raw.size() - 1));
            const qsizetype nul = t.indexOf('\0');
            if (nul >= 0) t.truncate(nul);
            while (!t.isEmpty() && t.back() == ' ') t.chop(1);
            return t.isEmpty() ? QVariant() : QVariant(decode(t, codePage_));
        }
        case 'Q': {
            QByteArray t = raw;
            if (c.lengthBit >= 0 && nullFlag(rec, c.lengthBit))
                t.truncate(std::min<qsizetype>(quint8(raw.back()), raw.size() - 1));
            return t.isEmpty() ? QVariant() : QVariant(t);
        }
        case 'T': {
            // Julian day and milliseconds since midnight, little-endian.
            const qint32 day = qFromLittleEndian<qint32>(p);
            const qint32 ms = qFromLittleEndian<qint32>(p + 4);
            if (day <= 0 || ms < 0 || ms >= 86400000) return {};
            const QDate date = QDate::fromJulianDay(day);
            if (!date.isValid()) return {};
            return QDateTime(date, QTime(0, 0).addMSecs(ms));
        }
        case 'Y':  // currency: an integer of ten-thousandths
            return double(qFromLittleEndian<qint64>(p)) / 10000.0;
        case 'B':
            if (c.length == 8 && defs_[i].type == FieldType::Float) {
                double v;
                memcpy(&v, p, 8);
                return std::isfinite(v) ? QVariant(v) : QVariant();
            }
            break;
        case 'N':
        case 'F': {
            const QByteArray t = raw.trimmed();
            if (t.isEmpty() || t.startsWith('*')) return {};
            bool ok = false;
            if (defs_[i].type == FieldType::Integer) {
                const qint64 v = t.toLongLong(&ok);
                if (ok) return QVariant::fromValue<qint64>(v);
            }
            const double v = t.toDouble(&ok);
            if (!ok || !std::isfinite(v)) return {};
            return defs_[i].type == FieldType::Integer ? QVariant::fromValue<qint64>(qint64(v))
                                                       : QVariant(v);
        }
        case 'D': {
            const QDate d = QDate::fromString(QString::fromLatin1(raw), QStringLiteral("yyyyMMdd"));
            return d.isValid() ? QVariant(d) : QVariant();
        }
        case 'L': {
            const char ch = raw.isEmpty() ? ' ' : raw[0];
            if (strchr("TtYy", ch) && ch) return true;
            if (strchr("FfNn", ch) && ch) return false;
            return {};
        }
        case 'I':
            return QVariant::fromValue<qint64>(qFromLittleEndian<qint32>(p));
        case 'O': {
            double v;
            memcpy(&v, p, 8);
            return std::isfinite(v) ? QVariant(v) : QVariant();
        }
        default:
            break;
    }
    // M, B, G, P, W: a block number, as text (10 bytes) or binary (4 bytes).
    qint64 block = 0;
    if (c.length == 4) {
        block = qFromLittleEndian<quint32>(p);
    } else {
        const QByteArray t = raw.trimmed();
        if (t.isEmpty()) return {};
        bool ok = false;
        block = t.toLongLong(&ok);
        if (!ok) return {};
    }
    const QByteArray data = readMemo(block, error);
    if (data.isEmpty()) return {};
    if (c.type == 'M') return decode(data, codePage_);
    return data;
}

bool DbaseStore::nullFlag(const char* rec, int bit) const {
    if (nullFlagsOffset_ < 0 || bit < 0 || bit >= 8 * nullFlagsLength_) return false;
    return quint8(rec[1 + nullFlagsOffset_ + bit / 8]) & (1 << (bit % 8));
}

bool DbaseStore::readRows(qint64 first, qint64 count, QList<RawRecord>* out, QString* error) {
    if (first < 0 || first >= rowCount() || count <= 0) return true;
    const qint64 last = std::min(first + count, rowCount()) - 1;
    const qint64 p0 = rows_[size_t(first)], p1 = rows_[size_t(last)];
    QByteArray buf;
    if (!readBytes(headerLength_ + p0 * recordLength_, (p1 - p0 + 1) * recordLength_, &buf)) {
        if (error) *error = QStringLiteral("Tabulku %1 nelze číst").arg(path_);
        return false;
    }
    for (qint64 r = first; r <= last; ++r) {
        const char* rec = buf.constData() + (rows_[size_t(r)] - p0) * recordLength_;
        RawRecord values(defs_.size());
        for (int i = 0; i < defs_.size(); ++i) {
            QString err;
            values[i] = decodeField(rec, i, &err);
            if (!err.isEmpty()) {
                if (error)
                    *error =
                        QStringLiteral("Tabulka %1, pole %2: %3").arg(path_, defs_[i].name, err);
                return false;
            }
        }
        out->append(std::move(values));
    }
    return true;
}

qint64 DbaseStore::rowId(qint64 row) const {
    return row >= 0 && row < rowCount() ? rows_[size_t(row)] : -1;
}

qint64 DbaseStore::rowOfId(qint64 id) const {
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), quint32(std::max<qint64>(0, id)));
    return id >= 0 && it != rows_.end() && *it == id ? qint64(it - rows_.begin()) : -1;
}

bool DbaseStore::canWrite(QString* reason) const {
    if (readOnly_) {
        if (reason) *reason = QStringLiteral("Tabulka %1 je jen pro čtení").arg(path_);
        return false;
    }
    if (!writeBlocker_.isEmpty() || (hasMemo_ && foxMemo_)) {
        if (reason)
            *reason = QStringLiteral("Tabulku FoxPro %1 lze jen číst%2")
                          .arg(QFileInfo(path_).fileName(),
                               writeBlocker_.isEmpty()
                                   ? QString()
                                   : QStringLiteral(" (") + writeBlocker_ + QLatin1Char(')'));
        return false;
    }
    return true;
}

bool DbaseStore::appendMemo(const QByteArray& data, qint64* block, QString* error) {
    QFile m(memoPath_);
    if (!m.open(QIODevice::ReadWrite)) {
        if (error)
            *error = QStringLiteral("Soubor %1 nelze zapsat: %2").arg(memoPath_, m.errorString());
        return false;
    }
    QByteArray head = m.read(4);
    qint64 next = head.size() == 4 ? qFromLittleEndian<quint32>(head.constData()) : 1;
    const qint64 endBlock = (m.size() + memoBlockSize_ - 1) / memoBlockSize_;
    next = std::max<qint64>({next, endBlock, 1});
    QByteArray body;
    if (memoBlockSize_ != 512) {  // dBase IV block form
        body.resize(8);
        body[0] = char(0xFF);
        body[1] = char(0xFF);
        body[2] = 0x08;
        body[3] = 0x00;
        qToLittleEndian<quint32>(quint32(data.size() + 8), body.data() + 4);
        body += data;
    } else {
        body = data + "\x1A\x1A";
    }
    const qint64 blocks = (body.size() + memoBlockSize_ - 1) / memoBlockSize_;
    body.append(QByteArray(blocks * memoBlockSize_ - body.size(), '\0'));
    QByteArray nextBytes(4, '\0');
    qToLittleEndian<quint32>(quint32(next + blocks), nextBytes.data());
    if (!m.seek(next * memoBlockSize_) || m.write(body) != body.size() || !m.seek(0) ||
        m.write(nextBytes) != 4 || !m.flush()) {
        if (error)
            *error = QStringLiteral("Soubor %1 nelze zapsat: %2").arg(memoPath_, m.errorString());
        return false;
    }
    *block = next;
    return true;
}

bool DbaseStore::encodeRecord(const RawRecord& values, QByteArray* rec, QString* error) {
    // Starts from the record as it is (rec), so that memo blocks of unchanged
    // values are kept.
    for (int i = 0; i < defs_.size(); ++i) {
        const Column& c = cols_[size_t(i)];
        char* p = rec->data() + 1 + c.offset;
        const QVariant& v = values.value(i);
        QByteArray out;
        switch (c.type) {
            case 'C': {
                bool lossless = true;
                out = v.isNull() ? QByteArray() : encode(v.toString(), codePage_, &lossless);
                if (out.size() > c.length) {
                    if (error)
                        *error = QStringLiteral("Text pole %1 je delší než %2 znaků")
                                     .arg(defs_[i].name)
                                     .arg(c.length);
                    return false;
                }
                out = out.leftJustified(c.length, ' ');
                break;
            }
            case 'N':
            case 'F': {
                if (!v.isNull()) {
                    out = c.decimals == 0 && (v.typeId() == QMetaType::LongLong)
                              ? QByteArray::number(v.toLongLong())
                              : QByteArray::number(v.toDouble(), 'f', c.decimals);
                    if (out.size() > c.length) {
                        if (error)
                            *error = QStringLiteral("Hodnota %1 se nevejde do pole %2")
                                         .arg(QString::fromLatin1(out), defs_[i].name);
                        return false;
                    }
                }
                out = out.rightJustified(c.length, ' ');
                break;
            }
            case 'D':
                out = v.isNull() ? QByteArray(8, ' ')
                                 : v.toDate().toString(QStringLiteral("yyyyMMdd")).toLatin1();
                break;
            case 'L':
                out = v.isNull() ? QByteArray("?") : QByteArray(v.toBool() ? "T" : "F");
                break;
            case 'I':
                out.resize(4);
                qToLittleEndian<qint32>(qint32(v.toLongLong()), out.data());
                break;
            case 'O': {
                out.resize(8);
                const double d = v.toDouble();
                memcpy(out.data(), &d, 8);
                break;
            }
            default: {
                // Memo: write a new block only when the value changed.
                QString err;
                const QVariant old = decodeField(rec->constData(), i, &err);
                if (old == v) continue;
                QByteArray data = v.isNull()      ? QByteArray()
                                  : c.type == 'M' ? encode(v.toString(), codePage_)
                                                  : v.toByteArray();
                if (data.isEmpty()) {
                    out = QByteArray(c.length, c.length == 4 ? '\0' : ' ');
                    break;
                }
                qint64 block = 0;
                if (!appendMemo(data, &block, error)) return false;
                if (c.length == 4) {
                    out.resize(4);
                    qToLittleEndian<quint32>(quint32(block), out.data());
                } else {
                    out = QByteArray::number(block).rightJustified(c.length, ' ');
                }
            }
        }
        memcpy(p, out.constData(), size_t(c.length));
    }
    return true;
}

bool DbaseStore::writeRecordAt(qint64 physical, const QByteArray& rec, bool append,
                               QString* error) {
    QFile f(path_);
    if (!f.open(QIODevice::ReadWrite)) {
        if (error)
            *error = QStringLiteral("Soubor %1 nelze zapsat: %2").arg(path_, f.errorString());
        return false;
    }
    bool ok = f.seek(headerLength_ + physical * recordLength_) && f.write(rec) == rec.size();
    if (ok && append) {
        ok = f.write("\x1A", 1) == 1;
        QByteArray head(8, '\0');
        const QDate today = QDate::currentDate();
        head[0] = char(today.year() - 1900);
        head[1] = char(today.month());
        head[2] = char(today.day());
        qToLittleEndian<quint32>(quint32(physical + 1), head.data() + 3);
        ok = ok && f.seek(1) && f.write(head.constData(), 7) == 7;
    }
    ok = ok && f.flush();
    if (!ok) {
        if (error)
            *error = QStringLiteral("Soubor %1 nelze zapsat: %2").arg(path_, f.errorString());
        return false;
    }
    return true;
}

bool DbaseStore::updateRow(qint64 row, const RawRecord& values, qint64* newRow, QString* error) {
    if (!canWrite(error)) return false;
    if (row < 0 || row >= rowCount()) {
        if (error) *error = QStringLiteral("Záznam nebyl nalezen");
        return false;
    }
    const qint64 phys = rows_[size_t(row)];
    QByteArray rec;
    if (!readBytes(headerLength_ + phys * recordLength_, recordLength_, &rec) ||
        !encodeRecord(values, &rec, error) || !writeRecordAt(phys, rec, false, error))
        return false;
    *newRow = row;
    return true;
}

bool DbaseStore::insertRow(const RawRecord& values, qint64* newRow, QString* error) {
    if (!canWrite(error)) return false;
    QByteArray rec(recordLength_, ' ');
    for (const Column& c : cols_)
        if ((c.type == 'I' || c.type == 'O' ||
             ((c.type == 'M' || c.type == 'B' || c.type == 'G') && c.length == 4)))
            memset(rec.data() + 1 + c.offset, 0, size_t(c.length));
    if (!encodeRecord(values, &rec, error) || !writeRecordAt(physicalCount_, rec, true, error))
        return false;
    rows_.push_back(quint32(physicalCount_));
    ++physicalCount_;
    *newRow = rowCount() - 1;
    return true;
}

bool DbaseStore::deleteRow(qint64 row, QString* error) {
    if (!canWrite(error)) return false;
    if (row < 0 || row >= rowCount()) {
        if (error) *error = QStringLiteral("Záznam nebyl nalezen");
        return false;
    }
    QFile f(path_);
    if (!f.open(QIODevice::ReadWrite) ||
        !f.seek(headerLength_ + qint64(rows_[size_t(row)]) * recordLength_) ||
        f.write("*", 1) != 1 || !f.flush()) {
        if (error)
            *error = QStringLiteral("Soubor %1 nelze zapsat: %2").arg(path_, f.errorString());
        return false;
    }
    rows_.erase(rows_.begin() + row);
    return true;
}

}  // namespace dorvana

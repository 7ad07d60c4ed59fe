#include "data/csv_file.h"

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "base/code_page.h"
#include "base/progress.h"
#include "base/safe_file.h"
#include "base/same_file.h"
#include "data/data_set.h"
#include "data/field_value.h"

namespace dorvana {

namespace {

constexpr int kMaxStringSize = 255;

// Parses one record starting at pos. Returns false with a message on an
// unterminated quoted field. *next is the start of the following record.
bool parseRecord(const char* d, qint64 size, qint64 pos, char delim, QList<QByteArray>* fields,
                 qint64* next, QString* error) {
    fields->clear();
    QByteArray cur;
    for (;;) {
        cur.clear();
        if (pos < size && d[pos] == '"') {
            ++pos;
            for (;;) {
                if (pos >= size) {
                    if (error) *error = QStringLiteral("neukončené uvozovky");
                    return false;
                }
                const char* q = static_cast<const char*>(memchr(d + pos, '"', size_t(size - pos)));
                if (!q) {
                    if (error) *error = QStringLiteral("neukončené uvozovky");
                    return false;
                }
                cur.append(d + pos, q - (d + pos));
                pos = q - d + 1;
                if (pos < size && d[pos] == '"') {
                    cur.append('"');
                    ++pos;
                    continue;
                }
                break;
            }
            // Text after the closing quote up to the delimiter is kept as it stands.
            while (pos < size && d[pos] != delim && d[pos] != '\n' && d[pos] != '\r')
                cur.append(d[pos++]);
        } else {
            const qint64 start = pos;
            while (pos < size && d[pos] != delim && d[pos] != '\n' && d[pos] != '\r') ++pos;
            cur = QByteArray(d + start, pos - start);
        }
        fields->append(cur);
        if (pos < size && d[pos] == delim) {
            ++pos;
            continue;
        }
        break;
    }
    if (pos < size && d[pos] == '\r') ++pos;
    if (pos < size && d[pos] == '\n') ++pos;
    *next = pos;
    return true;
}

qint64 skipBlankLines(const char* d, qint64 size, qint64 pos) {
    while (pos < size && (d[pos] == '\r' || d[pos] == '\n')) ++pos;
    return pos;
}

// What the values seen so far allow a column to be.
struct Inference {
    bool any = false, integer = true, number = true, decimalSeen = false, date = true;
    int maxLen = 0;

    void see(const QString& s) {
        if (s.isEmpty()) return;
        any = true;
        maxLen = std::max(maxLen, int(s.size()));
        if (integer || number) {
            qsizetype i = 0;
            if (s[0] == u'-' || s[0] == u'+') ++i;
            qsizetype digits = 0, seps = 0;
            bool ok = i < s.size();
            for (qsizetype j = i; j < s.size() && ok; ++j) {
                if (s[j].isDigit() && s[j].unicode() < 128)
                    ++digits;
                else if (s[j] == u'.' || s[j] == u',')
                    ++seps;
                else
                    ok = false;
            }
            ok = ok && digits > 0 && seps <= 1;
            const bool whole = ok && seps == 0 && digits <= 9 && !(digits > 1 && s[i] == u'0');
            if (!whole) integer = false;
            if (!ok || (seps == 0 && !whole)) number = false;
            if (ok && seps == 1) decimalSeen = true;
        }
        if (date) {
            QDate d;
            if (!parseDateText(s, &d)) date = false;
        }
    }

    FieldDef def(const QString& name) const {
        FieldDef f{name, FieldType::String, kMaxStringSize, false};
        if (!any) return f;
        if (integer)
            f = {name, FieldType::Integer, 0, false};
        else if (number && decimalSeen)
            f = {name, FieldType::Float, 0, false};
        else if (date)
            f = {name, FieldType::Date, 0, false};
        else if (maxLen > kMaxStringSize)
            f = {name, FieldType::Memo, 0, false};
        return f;
    }
};

QVariant rawOfCsv(const QString& s, const FieldDef& def) {
    if (s.isEmpty()) return {};
    QVariant raw;
    if (def.type == FieldType::Integer) {
        bool ok = false;
        const qint64 v = s.toLongLong(&ok);
        return ok ? QVariant::fromValue<qint64>(v) : QVariant();
    }
    if (rawFromText(s, def, &raw, nullptr)) return raw;
    return {};
}

}  // namespace

QByteArray csvQuote(const QString& text, char delimiter, bool header) {
    QByteArray b = text.toUtf8();
    // In the header either separator is quoted, so that it tells the separator apart.
    const bool quote = b.contains(delimiter) || (header && (b.contains(',') || b.contains(';'))) ||
                       b.contains('"') || b.contains('\n') || b.contains('\r') ||
                       (!b.isEmpty() && (b.front() == ' ' || b.back() == ' '));
    if (!quote) return b;
    b.replace("\"", "\"\"");
    return '"' + b + '"';
}

QString csvText(const QVariant& raw, FieldType type, const CsvFormat& format) {
    if (raw.isNull()) return {};
    QString s;
    switch (type) {
        case FieldType::Float:
        case FieldType::Currency:
        case FieldType::BCD: {
            s = QString::number(raw.toDouble(), 'g', 15);
            if (s.contains(u'e')) s = QString::number(raw.toDouble(), 'f', 6);
            // A whole value keeps a decimal part so that it reads back as a number with decimals.
            if (!s.contains(u'.') && !s.contains(u'e') && !s.contains(u'n'))
                s += QStringLiteral(".0");
            if (format.decimal() == ',') s.replace(u'.', u',');
            return s;
        }
        case FieldType::Smallint:
        case FieldType::Integer:
        case FieldType::Word:
        case FieldType::Autoinc:
            return QString::number(raw.toLongLong());
        case FieldType::Boolean:
            return raw.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        case FieldType::Date:
            return raw.toDate().toString(Qt::ISODate);
        case FieldType::Time:
            return raw.toTime().toString(QStringLiteral("HH:mm:ss"));
        case FieldType::DateTime:
            return raw.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        case FieldType::String:
        case FieldType::Memo:
            return raw.toString();
        default:
            return QString::fromLatin1(raw.toByteArray().toBase64());
    }
}

bool createCsvFile(const QString& path, const FieldDefs& defs, QString* error) {
    QByteArray line;
    for (int i = 0; i < defs.size(); ++i) {
        if (i) line += ',';
        line += csvQuote(defs[i].name, ',', true);
    }
    line += "\r\n";
    return writeFileAtomically(path, line, error);
}

bool writeCsvFile(const QString& path, DataSet& data, QString* error, char delimiter,
                  Progress* progress) {
    if (const RecordStore* store = data.store()) {
        QStringList own = store->companionFiles();
        own.prepend(store->filePath());
        for (const QString& file : own)
            if (!file.isEmpty() && sameFile(file, path)) {
                if (error)
                    *error = QStringLiteral("Výstup %1 je soubor zdrojové tabulky, export ho nepřepíše")
                                 .arg(path);
                return false;
            }
    }
    if (QFileInfo(path).isDir()) {
        if (error) *error = QStringLiteral("%1 je složka, ne soubor").arg(path);
        return false;
    }
    SafeFile f(path);
    if (!f.open(error)) return false;
    CsvFormat fmt;
    fmt.delimiter = delimiter;
    QList<int> stored;
    for (int i = 0; i < data.fieldCount(); ++i)
        if (!data.field(i)->isCalculated()) stored << i;
    QByteArray line;
    for (int k = 0; k < stored.size(); ++k) {
        if (k) line += delimiter;
        line += csvQuote(data.field(stored[k])->name(), delimiter, true);
    }
    line += "\r\n";
    f.write(line);
    data.disableControls();
    const Bookmark b = data.bookmark();
    data.clearLastError();
    QString readError;
    const qint64 total = data.recordCount();
    qint64 done = 0;
    for (data.first(); !data.atEnd() && !data.isEmpty(); data.next()) {
        if (progress && ++done % 500 == 0) {
            progress->step(int(done), int(total), QString());
            if (progress->cancelled()) {
                readError = QStringLiteral("Export byl přerušen");
                break;
            }
        }
        // A record the table cannot read stops the export instead of writing it empty.
        if (!data.lastError().isEmpty()) {
            readError = data.lastError();
            break;
        }
        line.clear();
        for (int k = 0; k < stored.size(); ++k) {
            if (k) line += delimiter;
            const Field* fld = data.field(stored[k]);
            line += csvQuote(csvText(data.rawValue(stored[k]), fld->dataType(), fmt), delimiter);
        }
        // A record of one empty field would be a blank line, which readers skip.
        if (line.isEmpty()) line = "\"\"";
        line += "\r\n";
        if (!f.write(line)) break;  // commit says why
    }
    data.gotoBookmark(b);
    data.enableControls();
    if (!readError.isEmpty()) {
        f.discard();
        if (error) *error = readError;
        return false;
    }
    return f.commit(error);
}

CsvStore::~CsvStore() {
    if (data_ && !inMemory_) file_.unmap(const_cast<uchar*>(data_));
}

std::unique_ptr<CsvStore> CsvStore::open(const QString& path, QString* error) {
    std::unique_ptr<CsvStore> s(new CsvStore);
    s->path_ = path;
    if (!QFileInfo(path).isFile()) {
        if (error) *error = QStringLiteral("Soubor %1 neexistuje").arg(path);
        return nullptr;
    }
    s->readOnly_ = !QFileInfo(path).isWritable();
    if (!s->reload(error)) return nullptr;
    return s;
}

std::unique_ptr<CsvStore> CsvStore::openBytes(const QByteArray& bytes, QString* error) {
    std::unique_ptr<CsvStore> s(new CsvStore);
    s->image_ = bytes;
    s->inMemory_ = true;
    s->readOnly_ = true;
    if (!s->reload(error)) return nullptr;
    return s;
}

bool CsvStore::mapFile(QString* error) {
    if (inMemory_) {
        data_ = reinterpret_cast<const uchar*>(image_.constData());
        size_ = image_.size();
        return true;
    }
    if (data_) file_.unmap(const_cast<uchar*>(data_));
    data_ = nullptr;
    file_.close();
    file_.setFileName(path_);
    if (!file_.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Soubor %1 nelze otevřít: %2").arg(path_, file_.errorString());
        return false;
    }
    size_ = file_.size();
    if (size_ > 0) {
        data_ = file_.map(0, size_);
        if (!data_) {
            if (error)
                *error = QStringLiteral("Soubor %1 nelze číst: %2").arg(path_, file_.errorString());
            return false;
        }
    }
    return true;
}

bool CsvStore::reload(QString* error) {
    if (!mapFile(error)) return false;
    return scan(error);
}

bool CsvStore::scan(QString* error) {
    const char* d = reinterpret_cast<const char*>(data_);
    qint64 pos = 0;
    if (size_ >= 3 && memcmp(d, "\xEF\xBB\xBF", 3) == 0) pos = 3;
    // Without a byte-order mark, a file that is not well-formed UTF-8 is read
    // as Windows-1250 (what Czech office programs export), never with
    // replacement characters.
    utf8_ = pos == 3 || isValidUtf8(QByteArrayView(d + pos, size_ - pos));
    pos = skipBlankLines(d, size_, pos);
    const QString name = QFileInfo(path_).fileName();
    if (pos >= size_) {
        if (error)
            *error =
                QStringLiteral("Soubor CSV %1 je prázdný (chybí řádek se jmény polí)").arg(name);
        return false;
    }
    // The delimiter: the more frequent of ',' and ';' in the header, outside quotes.
    int commas = 0, semis = 0;
    bool inQuote = false;
    for (qint64 i = pos; i < size_ && (inQuote || (d[i] != '\n' && d[i] != '\r')); ++i) {
        if (d[i] == '"')
            inQuote = !inQuote;
        else if (!inQuote && d[i] == ',')
            ++commas;
        else if (!inQuote && d[i] == ';')
            ++semis;
    }
    format_.delimiter = semis > commas ? ';' : ',';
    QList<QByteArray> fields;
    qint64 next = 0;
    QString err;
    if (!parseRecord(d, size_, pos, format_.delimiter, &fields, &next, &err)) {
        if (error) *error = QStringLiteral("Chybný soubor CSV %1, řádek 1: %2").arg(name, err);
        return false;
    }
    if (fields.size() > 99) {
        if (error)
            *error = QStringLiteral("Soubor CSV %1 má %2 sloupců, nejvýše lze 99")
                         .arg(name)
                         .arg(fields.size());
        return false;
    }
    QStringList names;
    for (int i = 0; i < fields.size(); ++i) {
        // Byte-order marks inside a name (files glued together) are dropped.
        QString n = textOf(fields[i]).remove(QChar(0xFEFF)).trimmed();
        if (n.isEmpty()) n = QStringLiteral("Pole%1").arg(i + 1);
        QString unique = n;
        for (int k = 2; names.contains(unique, Qt::CaseInsensitive); ++k)
            unique = n + QStringLiteral("_%1").arg(k);
        names << unique;
    }
    std::vector<Inference> inf(size_t(names.size()));
    offsets_.clear();
    qint64 line = 1;
    pos = next;
    while ((pos = skipBlankLines(d, size_, pos)) < size_) {
        ++line;
        if (!parseRecord(d, size_, pos, format_.delimiter, &fields, &next, &err)) {
            if (error)
                *error = QStringLiteral("Chybný soubor CSV %1, záznam %2: %3")
                             .arg(name)
                             .arg(line)
                             .arg(err);
            return false;
        }
        if (fields.size() > names.size()) {
            if (error)
                *error = QStringLiteral("Chybný soubor CSV %1, záznam %2: %3 polí, záhlaví má %4")
                             .arg(name)
                             .arg(line)
                             .arg(fields.size())
                             .arg(names.size());
            return false;
        }
        for (int i = 0; i < fields.size(); ++i) inf[size_t(i)].see(textOf(fields[i]));
        offsets_.push_back(pos);
        pos = next;
    }
    defs_.clear();
    for (int i = 0; i < names.size(); ++i) defs_.append(inf[size_t(i)].def(names[i]));
    if (!keepIds_) ids_.reset(rowCount());
    return true;
}

bool CsvStore::readRows(qint64 first, qint64 count, QList<RawRecord>* out, QString* error) {
    const char* d = reinterpret_cast<const char*>(data_);
    QList<QByteArray> fields;
    for (qint64 r = first; r < std::min(first + count, rowCount()); ++r) {
        qint64 next = 0;
        QString err;
        if (r < 0) continue;
        if (!parseRecord(d, size_, offsets_[size_t(r)], format_.delimiter, &fields, &next, &err)) {
            if (error) *error = QStringLiteral("Chybný soubor CSV: %1").arg(err);
            return false;
        }
        RawRecord rec(defs_.size());
        for (int i = 0; i < std::min<int>(int(fields.size()), int(defs_.size())); ++i)
            rec[i] = rawOfCsv(textOf(fields[i]), defs_[i]);
        out->append(std::move(rec));
    }
    return true;
}

QString CsvStore::textOf(const QByteArray& bytes) const {
    return utf8_ ? QString::fromUtf8(bytes) : decode(bytes, CodePage::Windows1250);
}

QString CsvStore::readingNotice() const {
    return utf8_ ? QString()
                 : QStringLiteral("Soubor %1 není v kódování UTF-8, čte se jako Windows-1250")
                       .arg(QFileInfo(path_).fileName());
}

bool CsvStore::canWrite(QString* reason) const {
    if (!utf8_) {
        // Lines written in UTF-8 would mix two encodings in one file.
        if (reason)
            *reason = QStringLiteral("Soubor %1 je v kódování Windows-1250, lze ho jen číst")
                          .arg(QFileInfo(path_).fileName());
        return false;
    }
    if (readOnly_) {
        if (reason) *reason = QStringLiteral("Soubor %1 je jen pro čtení").arg(path_);
        return false;
    }
    return true;
}

QByteArray CsvStore::lineOf(const RawRecord& values) const {
    QByteArray line;
    for (int i = 0; i < defs_.size(); ++i) {
        if (i) line += format_.delimiter;
        line += csvQuote(csvText(values.value(i), defs_[i].type, format_), format_.delimiter);
    }
    // A record of one empty field would be a blank line, which readers skip.
    if (line.isEmpty()) line = "\"\"";
    return line + "\r\n";
}

bool CsvStore::insertRow(const RawRecord& values, qint64* newRow, QString* error) {
    if (!canWrite(error)) return false;
    const QByteArray line = lineOf(values);
    QFile f(path_);
    if (!f.open(QIODevice::ReadWrite)) {
        if (error)
            *error = QStringLiteral("Soubor %1 nelze zapsat: %2").arg(path_, f.errorString());
        return false;
    }
    QByteArray prefix;
    if (f.size() > 0) {
        f.seek(f.size() - 1);
        char last = 0;
        f.getChar(&last);
        if (last != '\n') prefix = "\r\n";
    }
    // Appended in place; a record that does not fit whole is taken back, so
    // the file keeps its earlier records and no half line.
    const qint64 oldSize = f.size();
    f.seek(oldSize);
    errno = 0;
    if (f.write(prefix + line) != prefix.size() + line.size() || !f.flush() ||
        ::fdatasync(f.handle()) != 0) {
        const int e = errno;
        if (error) *error = writeFailureText(path_, e ? systemErrorText(e) : f.errorString());
        f.resize(oldSize);
        return false;
    }
    f.close();
    keepIds_ = true;
    const bool ok = reload(error);
    keepIds_ = false;
    if (!ok) return false;
    ids_.appended();
    ids_.check(rowCount());
    *newRow = rowCount() - 1;
    return true;
}

bool CsvStore::rewrite(qint64 row, const RawRecord* replacement, QString* error) {
    if (!canWrite(error)) return false;
    if (row < 0 || row >= rowCount()) {
        if (error) *error = QStringLiteral("Záznam nebyl nalezen");
        return false;
    }
    const char* d = reinterpret_cast<const char*>(data_);
    const qint64 start = offsets_[size_t(row)];
    const qint64 end = row + 1 < rowCount() ? offsets_[size_t(row + 1)] : size_;
    SafeFile out(path_);
    if (!out.open(error)) return false;
    out.write(d, start);
    if (replacement) out.write(lineOf(*replacement));
    out.write(d + end, size_ - end);
    if (data_) file_.unmap(const_cast<uchar*>(data_));
    data_ = nullptr;
    file_.close();
    keepIds_ = true;
    if (!out.commit(error)) {
        reload(nullptr);
        keepIds_ = false;
        return false;
    }
    const bool ok = reload(error);
    keepIds_ = false;
    if (!replacement) ids_.erased(row);
    ids_.check(rowCount());
    return ok;
}

bool CsvStore::updateRow(qint64 row, const RawRecord& values, qint64* newRow, QString* error) {
    if (!rewrite(row, &values, error)) return false;
    *newRow = row;
    return true;
}

bool CsvStore::deleteRow(qint64 row, QString* error) {
    return rewrite(row, nullptr, error);
}

}  // namespace dorvana

#pragma once
// CSV tables (RFC 4180, UTF-8 with or without a byte-order mark, header row
// with the field names, ',' or ';' between fields: whichever occurs more often
// in the header outside quotes; a tie means ',').
//
// Column types are inferred from every non-empty value of the column:
//   Integer  all values are whole numbers of at most 9 digits without a
//            leading zero (longer digit strings, such as EAN codes, stay text)
//   Float    all values are numbers, at least one with a decimal point or
//            comma (12.5 and 12,5 both read as 12.5)
//   Date     all values are dates d.M.yyyy or yyyy-MM-dd
//   String   anything else, size 255 (a column without any value yet too);
//            columns with values longer than 255 characters become Memo
// An empty value is no value. A file without a byte-order mark that is not
// well-formed UTF-8 is read as Windows-1250 and is then read-only. The file is indexed once on opening (8 bytes
// a record) and records are read in windows from a mapped file. Appending
// adds a line; editing or deleting rewrites the file through a temporary
// file and a rename.

#include <QFile>
#include <QString>
#include <memory>
#include <vector>

#include "data/record_store.h"

namespace dorvana {

struct CsvFormat {
    char delimiter = ',';
    // Decimal separator used when writing numbers: ',' in files that
    // separate fields with ';', '.' otherwise.
    char decimal() const { return delimiter == ';' ? ',' : '.'; }
};

// One field of a CSV line, quoted when it holds the separator, a quote, a line
// end or blanks at either end; a header field also when it holds either
// separator (',' or ';'), since the header tells which one the file uses.
QByteArray csvQuote(const QString& text, char delimiter, bool header = false);
// The text of a raw value of a field type in a CSV file (numbers with the
// format's decimal separator, dates yyyy-MM-dd, date-times yyyy-MM-dd
// HH:mm:ss, booleans true/false, binary data in base64).
QString csvText(const QVariant& raw, FieldType type, const CsvFormat& format);

// Writes a whole table as CSV (',' separated, CR LF line ends) through a
// temporary file and a rename. Refuses to write over the table's own file
// (or a file that belongs to it), under whatever path.
// progress counts the records written and may cancel (nothing is written then).
class DataSet;
class Progress;
bool writeCsvFile(const QString& path, DataSet& data, QString* error, char delimiter = ',',
                  Progress* progress = nullptr);

// Creates an empty CSV table: its header line only.
bool createCsvFile(const QString& path, const FieldDefs& defs, QString* error);

class CsvStore : public RecordStore {
public:
    static std::unique_ptr<CsvStore> open(const QString& path, QString* error);
    // A whole file image read in memory, read-only; for the fuzz target and
    // for tests of damaged files.
    static std::unique_ptr<CsvStore> openBytes(const QByteArray& bytes, QString* error);
    ~CsvStore() override;

    QString kindName() const override { return QStringLiteral("CSV"); }
    const FieldDefs& fieldDefs() const override { return defs_; }
    qint64 rowCount() const override { return qint64(offsets_.size()); }
    bool readRows(qint64 first, qint64 count, QList<RawRecord>* out, QString* error) override;
    bool canWrite(QString* reason) const override;
    bool updateRow(qint64 row, const RawRecord& values, qint64* newRow, QString* error) override;
    bool insertRow(const RawRecord& values, qint64* newRow, QString* error) override;
    bool deleteRow(qint64 row, QString* error) override;
    bool reload(QString* error) override;
    qint64 rowId(qint64 row) const override { return ids_.id(row); }
    qint64 rowOfId(qint64 id) const override { return ids_.row(id); }
    QString filePath() const override { return path_; }
    const CsvFormat& format() const { return format_; }
    QString readingNotice() const override;
    bool isUtf8() const { return utf8_; }

private:
    CsvStore() = default;
    bool scan(QString* error);
    bool mapFile(QString* error);
    bool rewrite(qint64 row, const RawRecord* replacement, QString* error);
    QByteArray lineOf(const RawRecord& values) const;
    QString textOf(const QByteArray& bytes) const;

    QString path_;
    QFile file_;
    QByteArray image_;  // the in-memory file (openBytes)
    bool inMemory_ = false;
    const uchar* data_ = nullptr;
    qint64 size_ = 0;
    CsvFormat format_;
    FieldDefs defs_;
    std::vector<qint64> offsets_;  // start of each record
    RowIds ids_;
    bool keepIds_ = false;  // set while the store itself rewrites the file
    bool readOnly_ = false;
    bool utf8_ = true;
};

}  // namespace dorvana

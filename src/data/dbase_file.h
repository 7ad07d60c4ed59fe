#pragma once
// dBase III/IV and FoxPro tables (.dbf) with their memo files (.dbt, .fpt).
//
// Reading: field types C (String), N and F (Integer when without decimals
// and at most 11 digits, Float otherwise), D (Date), L (Boolean), M (Memo),
// B and G (Blob, Graphic: binary data in the memo file), I (Integer, binary),
// O (Float, binary), and those of Visual FoxPro (versions 0x30..0x32): T
// (DateTime), Y (Currency), B (Float, a double there), V (String, varying),
// Q (VarBytes), P and W (Graphic, Blob in the memo file) and the hidden null
// flags (0) that make nullable fields empty. Texts end at the first zero
// byte. Memo blocks in dBase III form (text ended by 0x1A), dBase IV form
// (FF FF 08 00 and a length) and FoxPro form (.fpt: big-endian block size,
// type and length) are read. Texts are decoded in the code page of the
// language-driver byte (an unknown one reads as Windows-1250, with a
// warning). Deleted records are skipped. dBase 7 files are refused.
//
// Writing: tables we create are dBase III+ files (0x03, or 0x83 with a memo
// file) declaring Windows-1250 (0xC8). String becomes C, Smallint N(6),
// Integer and Autoinc N(11), Word N(5), Float N(20,6), Currency and BCD
// N(20,4), Boolean L, Date D, Memo M, Blob B, Graphic G; Time, DateTime,
// Bytes and VarBytes have no dBase form. Editing rewrites the record in place;
// appending writes it at the end; deleting marks it deleted. A new memo
// value is appended to the memo file. FoxPro tables with .fpt memos or
// Visual FoxPro fields are read only.

#include <QFile>
#include <QString>
#include <memory>
#include <vector>

#include "base/code_page.h"
#include "data/record_store.h"

namespace dorvana {

// Creates an empty dBase table (and its memo file when a field needs one),
// replacing existing files of that name.
bool createDbaseFile(const QString& path, const FieldDefs& defs, QString* error);

class DbaseStore : public RecordStore {
public:
    static std::unique_ptr<DbaseStore> open(const QString& path, QString* error);
    // Checks a whole file image (header, fields, records); for the fuzz target
    // and for tests of damaged files. Memo references are read from memo.
    static std::unique_ptr<DbaseStore> openBytes(const QByteArray& dbf, const QByteArray& memo,
                                                 QString* error);

    QString kindName() const override { return QStringLiteral("dBase"); }
    const FieldDefs& fieldDefs() const override { return defs_; }
    qint64 rowCount() const override { return qint64(rows_.size()); }
    bool readRows(qint64 first, qint64 count, QList<RawRecord>* out, QString* error) override;
    qint64 rowId(qint64 row) const override;
    qint64 rowOfId(qint64 id) const override;
    bool canWrite(QString* reason) const override;
    bool updateRow(qint64 row, const RawRecord& values, qint64* newRow, QString* error) override;
    bool insertRow(const RawRecord& values, qint64* newRow, QString* error) override;
    bool deleteRow(qint64 row, QString* error) override;
    bool reload(QString* error) override;
    QString filePath() const override { return path_; }
    QStringList companionFiles() const override { return {memoPath_}; }
    CodePage codePage() const { return codePage_; }
    // What the reader had to guess (an unknown language driver); empty when
    // nothing. It goes to the log once, when the table is opened.
    QString warning() const { return warning_; }

    struct Column {
        char type = 'C';
        int offset = 0;  // within the record, after the deletion flag
        int length = 0;
        int decimals = 0;
        int nullBit = -1;    // Visual FoxPro: the bit set when the value is empty
        int lengthBit = -1;  // Visual FoxPro V/Q: the bit set when the last byte is the length
    };

private:
    DbaseStore() = default;
    bool parseHeader(const QByteArray& head, qint64 fileSize, QString* error);
    bool readBytes(qint64 offset, qint64 length, QByteArray* out) const;
    QVariant decodeField(const char* rec, int i, QString* error) const;
    bool nullFlag(const char* rec, int bit) const;
    bool encodeRecord(const RawRecord& values, QByteArray* rec, QString* error);
    QByteArray readMemo(qint64 block, QString* error) const;
    bool appendMemo(const QByteArray& data, qint64* block, QString* error);
    bool writeRecordAt(qint64 physical, const QByteArray& rec, bool append, QString* error);

    QString path_, memoPath_;
    QByteArray image_, memoImage_;  // in-memory files (openBytes)
    bool inMemory_ = false;
    bool readOnly_ = false;
    CodePage codePage_ = CodePage::Windows1250;
    QString warning_;
    bool warned_ = false;
    QString writeBlocker_;  // why the table cannot be written, empty when it can
    int nullFlagsOffset_ = -1, nullFlagsLength_ = 0;
    bool foxMemo_ = false;  // the memo file is a FoxPro .fpt
    FieldDefs defs_;
    std::vector<Column> cols_;
    qint64 headerLength_ = 0, recordLength_ = 0, physicalCount_ = 0;
    int memoBlockSize_ = 512;
    bool hasMemo_ = false;
    std::vector<quint32> rows_;  // physical numbers of the records not deleted
};

}  // namespace dorvana

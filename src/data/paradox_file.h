#pragma once
// Paradox tables (.db, levels 3 to 7) with their blob files (.mb), read.
//
// The header gives the record size, the block size (1, 2, 3, 4, ... KB), the
// field types and sizes, the field names and, from level 4 on, the code page
// the texts are read in (a page we do not know reads as Windows-1250, with a
// warning). Records live in a chain of data blocks (the last one may end
// short of a full block); the store indexes the blocks once (16 bytes a
// block) and reads records in windows, so positioning is O(log n). Field
// data are big-endian with the sign bit inverted (numbers, dates, times);
// BCD values are packed decimals (read, not written); blob fields keep a
// leader in the record and the rest in the .mb file (single-blob blocks and
// sub-allocated blocks); a graphic field's picture follows an 8-byte header.
//
// Tables with a primary index (a .px file beside them, file type 0) open
// read-only: editing them says so. Tables without one are written in place:
// a new record goes at the end of the last block (a new block when it is
// full), a deleted one closes the gap in its block; blob data that does not
// fit the record's leader goes into a single-blob block appended to the .mb
// file. Tables we create are level 7 (header 0x800 or more), declare code
// page 1250 and use blocks of at least 2 KB.

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

#include "base/code_page.h"
#include "data/record_store.h"

namespace dorvana {

// True when the first bytes look like a Paradox table header.
bool looksLikeParadox(const QByteArray& head);

class ParadoxStore : public RecordStore {
public:
    static std::unique_ptr<ParadoxStore> open(const QString& path, QString* error);
    // A whole table image (and its blob file), for the fuzz target and tests.
    static std::unique_ptr<ParadoxStore> openBytes(const QByteArray& db, const QByteArray& mb,
                                                   QString* error);

    QString kindName() const override { return QStringLiteral("Paradox"); }
    const FieldDefs& fieldDefs() const override { return defs_; }
    qint64 rowCount() const override { return total_; }
    bool readRows(qint64 first, qint64 count, QList<RawRecord>* out, QString* error) override;
    bool canWrite(QString* reason) const override;
    bool updateRow(qint64 row, const RawRecord& values, qint64* newRow, QString* error) override;
    bool insertRow(const RawRecord& values, qint64* newRow, QString* error) override;
    bool deleteRow(qint64 row, QString* error) override;
    bool reload(QString* error) override { return load(error); }
    qint64 rowId(qint64 row) const override { return ids_.id(row); }
    qint64 rowOfId(qint64 id) const override { return ids_.row(id); }
    QString filePath() const override { return path_; }
    QStringList companionFiles() const override { return {blobPath_}; }
    bool isKeyed() const { return keyed_; }
    CodePage codePage() const { return codePage_; }
    // What the reader had to guess (an unknown code page); empty when nothing.
    // It goes to the log once, when the table is opened.
    QString warning() const { return warning_; }

private:
    ParadoxStore() = default;
    bool load(QString* error);
    bool read(qint64 offset, qint64 length, QByteArray* out) const;
    QByteArray readBlob(const char* p, int size, QString* error) const;
    QVariant decode(const char* p, int field, QString* error) const;
    bool encode(const RawRecord& values, QByteArray* rec, QString* error);
    bool writeBlob(const QByteArray& data, int size, char* out, QString* error);
    bool writeAt(const QString& path, qint64 offset, const QByteArray& bytes, QString* error);
    bool locate(qint64 row, qint64* fileOffset, qint64* blockIndex) const;

    struct Block {
        qint64 offset;    // of the block's first record in the file
        qint64 firstRow;  // number of the block's first record in the table
        qint64 count;     // records in the block
    };

    QString path_, blobPath_;
    QByteArray image_, blobImage_;
    bool inMemory_ = false;
    bool keyed_ = false;
    CodePage codePage_ = CodePage::Windows1250;
    QString warning_;
    bool warned_ = false;
    FieldDefs defs_;
    std::vector<quint8> types_;
    std::vector<int> sizes_, offsets_;
    int recordSize_ = 0;
    qint64 headerSize_ = 0, blockSize_ = 0;
    std::vector<Block> blocks_;
    qint64 total_ = 0;
    RowIds ids_;
    bool keepIds_ = false;  // set while the store itself writes
};

bool createParadoxFile(const QString& path, const FieldDefs& defs, QString* error);

}  // namespace dorvana

#pragma once
// Tables of SQLite database files: label files and any other table of an
// SQLite file opened as a foreign table. Rows are in rowid order (for a label
// file that is the order of `cislo`, the rowid itself). The store reads the
// sorted rowids only as far as rows are asked for (RowIdIndex) and reads
// records in windows, so a million records open with their count and the
// first screen.

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "data/record_store.h"
#include "data/row_id_index.h"
#include "data/sqlite_db.h"

namespace dorvana {

// The field definition a declared column type stands for ("VARCHAR(40)" ->
// String 40, "INTEGER" -> Integer, "CURRENCY" -> Currency, "GRAPHIC BLOB" ->
// Graphic, "TEXT" -> Memo, ...). An empty declaration (an expression column)
// gives String 255.
FieldDef fieldDefFromDeclType(const QString& name, const QString& declType);
// The declared type written for a field definition (the inverse of the above).
QString declTypeOfField(const FieldDef& def);

// A value of a column read as the raw value of a field type.
QVariant rawFromColumn(const SqliteStatement& st, int column, FieldType type);

class SqliteTableStore : public RecordStore {
public:
    // Opens table (the first table of the file when empty) of an SQLite
    // file. False with the reason when the file is not an SQLite database,
    // has no such table or the table has no rowid.
    static std::unique_ptr<SqliteTableStore> open(const QString& path, const QString& table,
                                                  bool readOnly, QString* error);

    QString kindName() const override { return kindName_; }
    const FieldDefs& fieldDefs() const override { return defs_; }
    qint64 rowCount() const override { return rowIds_.size(); }
    bool readRows(qint64 first, qint64 count, QList<RawRecord>* out, QString* error) override;
    qint64 rowId(qint64 row) const override;
    qint64 rowOfId(qint64 id) const override;
    bool canWrite(QString* reason) const override;
    bool updateRow(qint64 row, const RawRecord& values, qint64* newRow, QString* error) override;
    bool insertRow(const RawRecord& values, qint64* newRow, QString* error) override;
    bool deleteRow(qint64 row, QString* error) override;
    bool updateReadRow(qint64 row, const RawRecord& asRead, const RawRecord& values, qint64* newRow,
                       RowConflict* conflict, QString* error) override;
    bool deleteReadRow(qint64 row, const RawRecord& asRead, RowConflict* conflict,
                       QString* error) override;
    bool changedElsewhere() override;
    int keyField() const override { return keyField_; }
    qint64 findKey(const QVariant& key) const override;
    bool reload(QString* error) override;
    QString filePath() const override { return path_; }
    QStringList companionFiles() const override {
        return {path_ + QStringLiteral("-journal"), path_ + QStringLiteral("-wal"),
                path_ + QStringLiteral("-shm")};
    }

    const QString& tableName() const { return table_; }
    SqliteDb& db() { return db_; }

protected:
    SqliteTableStore() = default;
    // Opens the file and reads the table's columns; the rows (rowids) are
    // read too unless withRows is false (then loadRows() does it later).
    bool init(const QString& path, const QString& table, bool readOnly, QString* error,
              bool withRows = true);
    bool loadRows(QString* error) { return reload(error) && prepareStatements(error); }
    void setKindName(const QString& k) { kindName_ = k; }
    // Field definitions replacing the ones read from the declared types.
    void setFieldDefs(const FieldDefs& defs) { defs_ = defs; }

private:
    bool prepareStatements(QString* error);
    QString keyViolation(const RawRecord& values) const;
    // Inside a write transaction: whether row still holds asRead.
    bool checkRowAsRead(qint64 row, const RawRecord& asRead, RowConflict* conflict,
                        QString* error) const;
    // Runs write inside BEGIN IMMEDIATE .. COMMIT after the row check.
    bool checkedWrite(qint64 row, const RawRecord& asRead, RowConflict* conflict, QString* error,
                      const std::function<bool(QString*)>& write);
    // The database's data version (changes when another connection commits).
    qint64 dataVersion() const;

    SqliteDb db_;
    QString path_, table_, kindName_;
    FieldDefs defs_;
    int keyField_ = -1;  // the INTEGER PRIMARY KEY column (the rowid), if any
    bool readOnly_ = false;
    // Reads rowids for the index (ascending from lo or descending from hi).
    bool fetchRowIds(qint64 lo, qint64 hi, qint64 limit, bool descending,
                     std::vector<qint64>* out) const;
    // The rowid of row; false with the reason when it is out of range ("Záznam
    // nebyl nalezen") or cannot be read.
    bool rowIdOf(qint64 row, qint64* id, QString* error) const;

    mutable RowIdIndex rowIds_;
    mutable QString rowIdError_;  // why the index's last read failed, if it did
    SqliteStatement selectWindow_;
    mutable SqliteStatement rowIdsUp_, rowIdsDown_;
    mutable SqliteStatement dataVersion_;
    qint64 seenVersion_ = -1;
};

}  // namespace dorvana

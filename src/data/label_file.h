#pragma once
// Label files: SQLite database files holding the label record.
//
// Table `etikety`, rows in `cislo` order (cislo is the rowid):
//   cislo  INTEGER PRIMARY KEY NOT NULL   nazev1, nazev2 VARCHAR(40)
//   barcode VARCHAR(20)                    cislo1, cislo2 FLOAT, cena CURRENCY
//   popis1 .. popis4 VARCHAR(40)           datum1, datum2 DATE ('yyyy-MM-dd')
//   logo GRAPHIC BLOB, pozn MEMO TEXT, barbmp GRAPHIC BLOB
// Text lengths are checked by CHECK constraints as well. The file's
// application id is 0x44525641 ("DRVA"); it uses a rollback journal with
// full synchronisation, and every post is one transaction. The record-number
// field `calc` is computed on reading (the data set adds it), never stored.

#include <QString>
#include <memory>

#include "data/data_set.h"
#include "data/sqlite_table.h"

namespace dorvana {

inline constexpr const char* kLabelTable = "etikety";

// The 16 stored fields of the label record, in file order.
const FieldDefs& labelRecordFields();

// Creates an empty label file, replacing an existing file of that name.
bool createLabelFile(const QString& path, QString* error);

class LabelFileStore : public SqliteTableStore {
public:
    // Opens a label file; fails with the reason when the file is missing, is
    // not an SQLite database, or its table does not match the label record.
    static std::unique_ptr<LabelFileStore> open(const QString& path, QString* error,
                                                bool readOnly = false);
    // Whether a file is a label file, without reading its records; false
    // with the reason when it is not.
    static bool isLabelFile(const QString& path, QString* why = nullptr);
    // Appends many records in one transaction (import, samples, benchmarks).
    bool insertMany(const QList<RawRecord>& records, QString* error);

private:
    LabelFileStore() = default;
    bool openChecked(const QString& path, bool readOnly, bool withRows, QString* error);
};

// A data set over a label file with its calculated record-number field `calc`
// (or over a label table on a server, given its postgresql:// URI).
std::unique_ptr<DataSet> openLabelDataSet(const QString& path, QString* error,
                                          RowCounting counting = RowCounting::Exact);

// The label data set over a store of label records (a file's or a server's).
std::unique_ptr<DataSet> labelDataSetOver(std::unique_ptr<RecordStore> store);

}  // namespace dorvana

#pragma once
// Opening and creating tables of every kind the engine reads: label files,
// other SQLite databases (their first table), dBase, Paradox and CSV files.

#include <QString>
#include <memory>

#include "data/data_set.h"
#include "data/record_store.h"

namespace dorvana {

enum class TableKind { Unknown, LabelFile, Sqlite, Dbase, Paradox, Csv };

// A path may also be a label table on a server (a postgresql:// URI with
// ?table=, see data/pg_table.h): it counts as a label file.

// The kind of a file by its contents (SQLite header, dBase version byte,
// Paradox header) and, failing that, its extension. A label file is an
// SQLite file whose table matches the label record.
TableKind detectTableKind(const QString& path);

// The store of any table file. For a file of kind LabelFile the store is a
// LabelFileStore. readOnly opens SQLite files without write access (queries
// read every file that way).
std::unique_ptr<RecordStore> openTableStore(const QString& path, QString* error,
                                            TableKind* kind = nullptr, bool readOnly = false);

// A data set over a foreign table with the calculated record-number field
// "Calc" after its fields (at most 99 table fields are taken).
std::unique_ptr<DataSet> openForeignTable(const QString& path, QString* error);

// A data set over any table: a label file with "calc", anything else as openForeignTable.
std::unique_ptr<DataSet> openAnyTable(const QString& path, QString* error);

// The name of a table for captions and messages: a file's name, or "T na
// serveru S" for a table on a server.
QString tableDisplayName(const QString& path);

// Creates an empty table of the kind from field definitions, replacing an
// existing file (Dbase, Paradox, Csv, Sqlite; label files: createLabelFile).
bool createTable(const QString& path, TableKind kind, const FieldDefs& defs, QString* error);

}  // namespace dorvana

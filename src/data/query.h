#pragma once
// Queries: SQLite SQL over label files, other SQLite files, dBase, Paradox
// and CSV files. A table is named by its path in double quotes
// (SELECT T1.* FROM "/data/tempprn.db" T1 ORDER BY T1.cislo DESC); a
// relative path is taken from the query's database directory. SQLite files
// are attached; the other kinds are reached through a virtual-table module
// over their readers. Macros ("%ORDER") are replaced before preparing.
//
// Opening runs the statement once into a temporary table in SQLite's
// temporary storage (a file, not memory), so the result is a read-only data
// set with windowed, O(log n) random access however large it is, with the
// calculated record-number field "Calc" after its columns.
//
// A query only reads: its text is exactly one statement (text after it is an
// error), and SqlGuard denies attaching, writing, changing state and touching
// files while it is prepared and run. Long statements poll the progress's
// cancel channel and end with "Dotaz byl přerušen".

#include <QMap>
#include <QString>
#include <QStringList>
#include <memory>

#include "base/progress.h"
#include "data/data_set.h"

struct sqlite3;

namespace dorvana {

// The message of a query that the progress's cancel ended.
inline const QString kQueryCancelledText = QStringLiteral("Dotaz byl přerušen");
// What a progress window shows while a query runs.
inline const QString kQueryRunningText = QStringLiteral("Provádím dotaz ...");

class Query {
public:
    Query();
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    // The directory relative table paths are taken from; empty: the current
    // directory. A server table's URI: the statement runs on that server
    // (read only, cancellable), naming its tables by name or by URI.
    void setDatabase(const QString& directory) { database_ = directory; }
    const QString& database() const { return database_; }
    void setSql(const QStringList& lines);
    void setText(const QString& text) { setSql({text}); }
    const QStringList& sql() const { return lines_; }
    // "%NAME" in the text is replaced by value before preparing.
    void setMacro(const QString& name, const QString& value) { macros_[name] = value; }
    void clearMacros() { macros_.clear(); }
    // Polled while the statement runs; cancelling ends it. Not owned.
    void setProgress(Progress* progress);

    // Checks the statement; false with the engine's message when it rejects it.
    bool prepare(QString* error = nullptr);
    // Runs it; the result stays available as dataSet() until close().
    bool open(QString* error = nullptr);
    void close();
    bool isOpen() const { return dataSet_ != nullptr; }
    DataSet* dataSet() const { return dataSet_.get(); }

    // The statement as SQLite gets it (macros replaced, paths turned into
    // attached or virtual tables); valid after prepare.
    const QString& preparedText() const { return prepared_; }

    struct Connection;  // the private connection of one prepare/open (query.cpp)

private:
    bool buildConnection(QString* error);
    bool openOnServer(QString* error);
    // The lines joined, with their macros replaced.
    QString expandedText() const;

    QString database_;
    QStringList lines_;
    QMap<QString, QString> macros_;
    QString prepared_;
    Progress* progress_ = nullptr;
    std::unique_ptr<Connection> conn_;
    std::unique_ptr<DataSet> dataSet_;
};

// Registers the "dorvana_table" virtual-table module on a connection:
// CREATE VIRTUAL TABLE t USING dorvana_table('/path/file.dbf').
bool registerTableModule(::sqlite3* db);

}  // namespace dorvana

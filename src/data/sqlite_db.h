#pragma once
// A small RAII wrapper over the SQLite C API: a connection and its prepared
// statements. Errors come back as false plus the engine's message.

#include <QByteArray>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace dorvana {

// The collation every connection knows: texts in the order of the locale in
// force (Czech: "č" after "c", "ch" after "h"). Query columns of text
// use it, so ORDER BY sorts as a clerk reads.
inline constexpr const char* kTextCollation = "CESKY";

class SqliteStatement;

class SqliteDb {
public:
    SqliteDb() = default;
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;
    SqliteDb(SqliteDb&& other) noexcept;
    SqliteDb& operator=(SqliteDb&& other) noexcept;

    enum class Mode { ReadOnly, ReadWrite, Create };
    // Opens (or, with Create, creates) a database file; ":memory:" for a private one.
    bool open(const QString& path, Mode mode, QString* error = nullptr);
    void close();
    bool isOpen() const { return db_ != nullptr; }

    // Runs one or more statements without results.
    bool exec(const QString& sql, QString* error = nullptr);
    // The engine's message of the last failure on this connection.
    QString lastError() const;
    qint64 lastInsertRowId() const;
    int changes() const;

    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

class SqliteStatement {
public:
    SqliteStatement() = default;
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;

    // Prepares the first statement of sql; rest (when given) receives the
    // text after it.
    bool prepare(const SqliteDb& db, const QString& sql, QString* error = nullptr,
                 QString* rest = nullptr);
    bool isValid() const { return stmt_ != nullptr; }
    void finalize();

    // Parameters are 1-based. A null QVariant binds NULL; QByteArray binds a
    // blob; QString text; bool, integers and doubles their numbers; QDate,
    // QTime and QDateTime their ISO texts.
    void bind(int index, const QVariant& value);
    void bindNull(int index);
    void bindInt64(int index, qint64 value);
    void bindText(int index, const QString& value);
    void bindBlob(int index, const QByteArray& value);
    void clearBindings();

    enum class Step { Row, Done, Error };
    Step step();
    bool reset();
    // Runs the statement to its end (for statements without rows).
    bool execute(QString* error = nullptr);

    int columnCount() const;
    QString columnName(int column) const;
    QString columnDeclType(int column) const;  // empty for expressions
    bool isNull(int column) const;
    int columnStorage(int column) const;  // SQLITE_INTEGER, SQLITE_FLOAT, ...
    qint64 int64(int column) const;
    double real(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;
    QString errorText() const;

    sqlite3_stmt* handle() const { return stmt_; }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

// "Text" quoted as an SQL identifier ("a""b").
QString sqlIdentifier(const QString& name);

}  // namespace dorvana

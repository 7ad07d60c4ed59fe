#include "data/sqlite_db.h"

#include <sqlite3.h>

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <utility>

#include "report/expr/format/text_compare.h"

namespace dorvana {

namespace {
int compareCollated(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return compareText(QString::fromUtf8(static_cast<const char*>(a), lengthA),
                       QString::fromUtf8(static_cast<const char*>(b), lengthB));
}
}  // namespace

SqliteDb::~SqliteDb() {
    close();
}

SqliteDb::SqliteDb(SqliteDb&& other) noexcept : db_(std::exchange(other.db_, nullptr)) {}

SqliteDb& SqliteDb::operator=(SqliteDb&& other) noexcept {
    if (this != &other) {
        close();
        db_ = std::exchange(other.db_, nullptr);
    }
    return *this;
}

bool SqliteDb::open(const QString& path, Mode mode, QString* error) {
    close();
    int flags = SQLITE_OPEN_URI;
    switch (mode) {
        case Mode::ReadOnly:
            flags |= SQLITE_OPEN_READONLY;
            break;
        case Mode::ReadWrite:
            flags |= SQLITE_OPEN_READWRITE;
            break;
        case Mode::Create:
            flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
            break;
    }
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        if (error) *error = db_ ? lastError() : QString::fromUtf8(sqlite3_errstr(rc));
        close();
        return false;
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, 2000);
    sqlite3_create_collation_v2(db_, kTextCollation, SQLITE_UTF8, nullptr, compareCollated,
                                nullptr);
    return true;
}

void SqliteDb::close() {
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool SqliteDb::exec(const QString& sql, QString* error) {
    if (!db_) {
        if (error) *error = QStringLiteral("Databáze není otevřena");
        return false;
    }
    char* msg = nullptr;
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &msg);
    if (rc != SQLITE_OK) {
        if (error) *error = msg ? QString::fromUtf8(msg) : lastError();
        sqlite3_free(msg);
        return false;
    }
    return true;
}

QString SqliteDb::lastError() const {
    return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString();
}

qint64 SqliteDb::lastInsertRowId() const {
    return db_ ? sqlite3_last_insert_rowid(db_) : 0;
}

int SqliteDb::changes() const {
    return db_ ? sqlite3_changes(db_) : 0;
}

SqliteStatement::~SqliteStatement() {
    finalize();
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : stmt_(std::exchange(other.stmt_, nullptr)) {}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept {
    if (this != &other) {
        finalize();
        stmt_ = std::exchange(other.stmt_, nullptr);
    }
    return *this;
}

bool SqliteStatement::prepare(const SqliteDb& db, const QString& sql, QString* error,
                              QString* rest) {
    finalize();
    if (!db.handle()) {
        if (error) *error = QStringLiteral("Databáze není otevřena");
        return false;
    }
    const QByteArray utf8 = sql.toUtf8();
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db.handle(), utf8.constData(), int(utf8.size()), &stmt_, &tail) !=
        SQLITE_OK) {
        if (error) *error = db.lastError();
        finalize();
        return false;
    }
    if (rest)
        *rest = tail ? QString::fromUtf8(tail, utf8.constData() + utf8.size() - tail) : QString();
    if (!stmt_) {
        if (error) *error = QStringLiteral("Prázdný příkaz SQL");
        return false;
    }
    return true;
}

void SqliteStatement::finalize() {
    if (stmt_) sqlite3_finalize(stmt_);
    stmt_ = nullptr;
}

void SqliteStatement::bind(int index, const QVariant& value) {
    if (value.isNull() || !value.isValid()) return bindNull(index);
    switch (value.typeId()) {
        case QMetaType::QByteArray:
            return bindBlob(index, value.toByteArray());
        case QMetaType::QString:
            return bindText(index, value.toString());
        case QMetaType::Bool:
            return bindInt64(index, value.toBool() ? 1 : 0);
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            return bindInt64(index, value.toLongLong());
        case QMetaType::Double:
        case QMetaType::Float:
            sqlite3_bind_double(stmt_, index, value.toDouble());
            return;
        case QMetaType::QDate:
            return bindText(index, value.toDate().toString(Qt::ISODate));
        case QMetaType::QTime:
            return bindText(index, value.toTime().toString(Qt::ISODateWithMs));
        case QMetaType::QDateTime:
            return bindText(index,
                            value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
        default:
            return bindText(index, value.toString());
    }
}

void SqliteStatement::bindNull(int index) {
    sqlite3_bind_null(stmt_, index);
}

void SqliteStatement::bindInt64(int index, qint64 value) {
    sqlite3_bind_int64(stmt_, index, value);
}

void SqliteStatement::bindText(int index, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::bindBlob(int index, const QByteArray& value) {
    sqlite3_bind_blob(stmt_, index, value.constData(), int(value.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::clearBindings() {
    if (stmt_) sqlite3_clear_bindings(stmt_);
}

SqliteStatement::Step SqliteStatement::step() {
    if (!stmt_) return Step::Error;
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return Step::Row;
    if (rc == SQLITE_DONE) return Step::Done;
    return Step::Error;
}

bool SqliteStatement::reset() {
    return stmt_ && sqlite3_reset(stmt_) == SQLITE_OK;
}

bool SqliteStatement::execute(QString* error) {
    Step s;
    while ((s = step()) == Step::Row) {
    }
    if (s == Step::Error) {
        if (error) *error = errorText();
        sqlite3_reset(stmt_);
        return false;
    }
    sqlite3_reset(stmt_);
    return true;
}

int SqliteStatement::columnCount() const {
    return stmt_ ? sqlite3_column_count(stmt_) : 0;
}

QString SqliteStatement::columnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(stmt_, column));
}

QString SqliteStatement::columnDeclType(int column) const {
    const char* t = sqlite3_column_decltype(stmt_, column);
    return t ? QString::fromUtf8(t) : QString();
}

bool SqliteStatement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

int SqliteStatement::columnStorage(int column) const {
    return sqlite3_column_type(stmt_, column);
}

qint64 SqliteStatement::int64(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

double SqliteStatement::real(int column) const {
    return sqlite3_column_double(stmt_, column);
}

QString SqliteStatement::text(int column) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(stmt_, column)) : QString();
}

QByteArray SqliteStatement::blob(int column) const {
    const void* p = sqlite3_column_blob(stmt_, column);
    return p ? QByteArray(static_cast<const char*>(p), sqlite3_column_bytes(stmt_, column))
             : QByteArray();
}

QString SqliteStatement::errorText() const {
    return stmt_ ? QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(stmt_))) : QString();
}

QString sqlIdentifier(const QString& name) {
    QString s = name;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

}  // namespace dorvana

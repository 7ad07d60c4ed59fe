#include "data/query.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "data/label_file.h"
#include "data/pg_query.h"
#include "data/sql_guard.h"
#include "data/sqlite_db.h"
#include "data/sqlite_table.h"
#include "data/table_open.h"

namespace dorvana {

namespace {

// A read-only store over the materialised result table: rowids 1..n in the
// statement's order.
class QueryResultStore : public RecordStore {
public:
    QueryResultStore(SqliteDb* db, QString table, FieldDefs defs, qint64 rows)
        : db_(db), table_(std::move(table)), defs_(std::move(defs)), rows_(rows) {}

    bool init(QString* error) {
        QStringList cols;
        for (int i = 0; i < defs_.size(); ++i) cols << QStringLiteral("c%1").arg(i);
        return select_.prepare(*db_,
                               QStringLiteral("SELECT %1 FROM %2 WHERE rowid >= ?1 AND rowid < ?2 "
                                              "ORDER BY rowid")
                                   .arg(cols.join(QLatin1String(", ")), table_),
                               error);
    }

    QString kindName() const override { return QStringLiteral("dotaz"); }
    const FieldDefs& fieldDefs() const override { return defs_; }
    qint64 rowCount() const override { return rows_; }
    bool canWrite(QString* reason) const override {
        if (reason) *reason = QStringLiteral("Výsledek dotazu nelze měnit");
        return false;
    }
    bool readRows(qint64 first, qint64 count, QList<RawRecord>* out, QString* error) override {
        if (first < 0 || count <= 0 || first >= rows_) return true;
        select_.reset();
        select_.bindInt64(1, first + 1);
        select_.bindInt64(2, first + 1 + count);
        SqliteStatement::Step s;
        while ((s = select_.step()) == SqliteStatement::Step::Row) {
            RawRecord r(defs_.size());
            for (int i = 0; i < defs_.size(); ++i) r[i] = rawFromColumn(select_, i, defs_[i].type);
            out->append(std::move(r));
        }
        const bool ok = s == SqliteStatement::Step::Done;
        if (!ok && error) *error = select_.errorText();
        select_.reset();
        return ok;
    }

private:
    SqliteDb* db_;
    QString table_;
    FieldDefs defs_;
    qint64 rows_;
    SqliteStatement select_;
};

}  // namespace

struct Query::Connection {
    SqliteDb db;
    SqlGuard guard;
    SqliteStatement statement;       // the user's statement, prepared under the guard
    QMap<QString, QString> aliases;  // canonical path -> SQL table reference
    int nextAlias = 1;
    Progress* progress = nullptr;
};

namespace {

// Called by SQLite every few thousand steps of a statement: non-zero ends it.
int pollCancel(void* connection) {
    Progress* progress = static_cast<Query::Connection*>(connection)->progress;
    return progress && progress->cancelled() ? 1 : 0;
}

// The engine's message for a failed step, or the guard's reason when it
// denied something, or "interrupted" when the progress cancelled it.
QString stepFailure(Query::Connection& c, const QString& engineText) {
    if (sqlite3_errcode(c.db.handle()) == SQLITE_INTERRUPT)
        return kQueryCancelledText;
    if (c.guard.deniedAction()) {
        QString what = QString::fromUtf8(c.guard.deniedAction());
        if (c.guard.deniedName()[0])
            what += QStringLiteral(" „%1“").arg(QString::fromUtf8(c.guard.deniedName()));
        return QStringLiteral("Dotaz smí data jen číst (%1 není dovoleno)").arg(what);
    }
    return engineText;
}

// Whether text holds nothing but blanks, semicolons and comments.
bool onlyBlanksAndComments(const QString& text) {
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i].isSpace() || text[i] == u';') {
            ++i;
        } else if (text.mid(i, 2) == u"--") {
            const qsizetype j = text.indexOf(u'\n', i);
            i = j < 0 ? text.size() : j + 1;
        } else if (text.mid(i, 2) == u"/*") {
            const qsizetype j = text.indexOf(QStringLiteral("*/"), i + 2);
            i = j < 0 ? text.size() : j + 2;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

Query::Query() = default;

Query::~Query() {
    close();
}

void Query::setSql(const QStringList& lines) {
    close();
    lines_ = lines;
}

void Query::setProgress(Progress* progress) {
    progress_ = progress;
    if (conn_) conn_->progress = progress;
}

void Query::close() {
    dataSet_.reset();
    conn_.reset();
}

bool Query::buildConnection(QString* error) {
    conn_ = std::make_unique<Connection>();
    if (!conn_->db.open(QStringLiteral(":memory:"), SqliteDb::Mode::Create, error)) return false;
    conn_->db.exec(QStringLiteral("PRAGMA temp_store=FILE"));
    registerTableModule(conn_->db.handle());
    conn_->guard.install(conn_->db.handle());
    conn_->progress = progress_;
    sqlite3_progress_handler(conn_->db.handle(), 10000, pollCancel, conn_.get());
    return true;
}

QString Query::expandedText() const {
    QString text = lines_.join(QLatin1Char('\n'));
    for (auto it = macros_.cbegin(); it != macros_.cend(); ++it)
        text.replace(QLatin1Char('%') + it.key(), it.value(), Qt::CaseInsensitive);
    return text;
}

bool Query::prepare(QString* error) {
    dataSet_.reset();
    if (!buildConnection(error)) return false;
    QString text = expandedText();

    // Table paths in double quotes become attached or virtual tables.
    QString out;
    const QDir base(database_.isEmpty() ? QDir::currentPath() : database_);
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c == u'\'' || c == u'[' || c == u'`') {
            const QChar close = c == u'[' ? QChar(u']') : c;
            qsizetype j = text.indexOf(close, i + 1);
            if (j < 0) j = text.size() - 1;
            out += text.mid(i, j - i + 1);
            i = j + 1;
        } else if (c == u'-' && i + 1 < text.size() && text[i + 1] == u'-') {
            qsizetype j = text.indexOf(u'\n', i);
            if (j < 0) j = text.size();
            out += text.mid(i, j - i);
            i = j;
        } else if (c == u'/' && i + 1 < text.size() && text[i + 1] == u'*') {
            qsizetype j = text.indexOf(QStringLiteral("*/"), i + 2);
            j = j < 0 ? text.size() : j + 2;
            out += text.mid(i, j - i);
            i = j;
        } else if (c == u'"') {
            qsizetype j = i + 1;
            QString ident;
            while (j < text.size()) {
                if (text[j] == u'"') {
                    if (j + 1 < text.size() && text[j + 1] == u'"') {
                        ident += u'"';
                        j += 2;
                        continue;
                    }
                    break;
                }
                ident += text[j++];
            }
            if (isServerTableUri(ident)) {
                if (error)
                    *error = QStringLiteral("Dotaz spojuje tabulku na serveru (%1) s místními "
                                            "soubory; to nelze")
                                 .arg(tableDisplayName(ident));
                return false;
            }
            const QString path = base.absoluteFilePath(ident);
            QString replacement;
            if ((ident.contains(u'/') || ident.contains(u'.')) && QFileInfo(path).isFile()) {
                const QString key = QFileInfo(path).canonicalFilePath();
                replacement = conn_->aliases.value(key);
                if (replacement.isEmpty()) {
                    const QString alias = QStringLiteral("f%1").arg(conn_->nextAlias++);
                    QString err;
                    // Every kind of file, label files too, is read through the table
                    // module: its text columns sort as texts are read (Czech order).
                    QString lit = path;
                    lit.replace(QLatin1Char('\''), QLatin1String("''"));
                    if (!conn_->db.exec(
                            QStringLiteral(
                                "CREATE VIRTUAL TABLE temp.%1 USING dorvana_table('%2')")
                                .arg(alias, lit),
                            &err)) {
                        if (error)
                            *error =
                                QStringLiteral("Tabulku %1 nelze otevřít: %2").arg(ident, err);
                        return false;
                    }
                    replacement = QStringLiteral("temp.") + alias;
                    conn_->aliases.insert(key, replacement);
                }
                out += replacement;
            } else {
                out += text.mid(i, j - i + 1);
            }
            i = j + 1;
        } else {
            out += c;
            ++i;
        }
    }
    prepared_ = out.trimmed();
    Connection& c = *conn_;
    c.guard.resetDenied();
    c.guard.setUserText(true);
    QString err, rest;
    const bool prepared = c.statement.prepare(c.db, prepared_, &err, &rest);
    c.guard.setUserText(false);
    if (!prepared) {
        if (error)
            *error = c.guard.deniedAction()
                         ? stepFailure(c, err)
                         : QStringLiteral("Chybný dotaz SQL: %1").arg(err);
        return false;
    }
    // Only one statement: what follows it may be blanks, comments and semicolons.
    if (!onlyBlanksAndComments(rest)) {
        if (error)
            *error = QStringLiteral("Dotaz smí obsahovat jen jeden příkaz SQL; za ním následuje „%1“")
                         .arg(rest.trimmed().left(60));
        c.statement.finalize();
        return false;
    }
    if (!sqlite3_stmt_readonly(c.statement.handle())) {
        if (error) *error = QStringLiteral("Dotaz smí data jen číst");
        c.statement.finalize();
        return false;
    }
    if (c.statement.columnCount() == 0) {
        if (error) *error = QStringLiteral("Dotaz nevrací žádná data");
        c.statement.finalize();
        return false;
    }
    prepared_ = prepared_.left(prepared_.size() - rest.size()).trimmed();
    while (prepared_.endsWith(u';')) prepared_ = prepared_.chopped(1).trimmed();
    return true;
}

bool Query::openOnServer(QString* error) {
    close();
    PgTarget target;
    if (!parseServerTableUri(database_, &target, error)) return false;
    QString text = expandedText();
    if (!resolveServerTableNames(target, &text, error)) return false;
    ServerQueryOptions options;
    options.progress = progress_;
    dataSet_ = runServerQuery(target, text, options, error);
    if (dataSet_) prepared_ = text;
    return dataSet_ != nullptr;
}

bool Query::open(QString* error) {
    if (isServerTableUri(database_)) return openOnServer(error);
    if (!prepare(error)) return false;
    Connection& c = *conn_;
    SqliteStatement& st = c.statement;
    FieldDefs defs;
    QStringList names;
    for (int i = 0; i < st.columnCount(); ++i) {
        QString name = st.columnName(i);
        QString unique = name;
        for (int k = 2; names.contains(unique, Qt::CaseInsensitive); ++k)
            unique = name + QStringLiteral("_%1").arg(k);
        names << unique;
        defs.append(fieldDefFromDeclType(unique, st.columnDeclType(i)));
        if (st.columnDeclType(i).isEmpty()) defs.last().type = FieldType::Unknown;
    }
    // The result goes into a temporary table, columns c0, c1, ... in order;
    // the user's statement is stepped under the guard, the copying is ours.
    QStringList cols, marks;
    for (int i = 0; i < defs.size(); ++i) {
        cols << QStringLiteral("c%1").arg(i);
        marks << QStringLiteral("?");
    }
    const QString table = QStringLiteral("temp.vysledek");
    QString err;
    SqliteStatement insert;
    auto failed = [&](const QString& why) {
        if (error) *error = QStringLiteral("Dotaz nelze provést: %1").arg(why);
        insert.finalize();
        close();
        return false;
    };
    if (!c.db.exec(
            QStringLiteral("CREATE TEMP TABLE vysledek(%1)").arg(cols.join(QLatin1String(", "))),
            &err) ||
        !insert.prepare(c.db,
                        QStringLiteral("INSERT INTO temp.vysledek VALUES (%1)")
                            .arg(marks.join(QLatin1Char(','))),
                        &err) ||
        !c.db.exec(QStringLiteral("BEGIN"), &err))
        return failed(err);
    const int columns = int(defs.size());
    for (;;) {
        c.guard.setUserText(true);
        const int rc = sqlite3_step(st.handle());
        c.guard.setUserText(false);
        if (rc == SQLITE_DONE) break;
        if (rc != SQLITE_ROW) {
            const QString why = stepFailure(c, c.db.lastError());
            if (why == kQueryCancelledText) {
                if (error) *error = why;
                insert.finalize();
                close();
                return false;
            }
            return failed(why);
        }
        for (int i = 0; i < columns; ++i)
            sqlite3_bind_value(insert.handle(), i + 1, sqlite3_column_value(st.handle(), i));
        if (insert.step() != SqliteStatement::Step::Done) return failed(stepFailure(c, c.db.lastError()));
        sqlite3_reset(insert.handle());
    }
    st.finalize();
    insert.finalize();
    if (!c.db.exec(QStringLiteral("COMMIT"), &err)) return failed(err);
    // Reading the result later is the data set's work, not the statement's:
    // a cancelled build must still be able to read it.
    sqlite3_progress_handler(c.db.handle(), 0, nullptr, nullptr);
    qint64 rows = 0;
    {
        SqliteStatement count;
        if (count.prepare(conn_->db, QStringLiteral("SELECT max(rowid) FROM temp.vysledek")) &&
            count.step() == SqliteStatement::Step::Row)
            rows = count.int64(0);
    }
    // Expression columns take the type of their first value.
    for (int i = 0; i < defs.size(); ++i) {
        if (defs[i].type != FieldType::Unknown) continue;
        SqliteStatement t;
        defs[i].type = FieldType::String;
        defs[i].size = 255;
        if (t.prepare(conn_->db,
                      QStringLiteral(
                          "SELECT typeof(c%1) FROM temp.vysledek WHERE c%1 IS NOT NULL LIMIT 1")
                          .arg(i)) &&
            t.step() == SqliteStatement::Step::Row) {
            const QString k = t.text(0);
            if (k == u"integer")
                defs[i] = {defs[i].name, FieldType::Integer, 0, false};
            else if (k == u"real")
                defs[i] = {defs[i].name, FieldType::Float, 0, false};
            else if (k == u"blob")
                defs[i] = {defs[i].name, FieldType::Blob, 0, false};
        }
    }
    auto store = std::make_unique<QueryResultStore>(&conn_->db, table, defs, rows);
    if (!store->init(&err)) {
        if (error) *error = err;
        close();
        return false;
    }
    dataSet_ = std::make_unique<DataSet>();
    dataSet_->addCalculatedField(QStringLiteral("Calc"), FieldType::Integer, true);
    dataSet_->setStore(std::move(store));
    return true;
}

}  // namespace dorvana

#include "data/pg_table.h"

#include <QCryptographicHash>
#include <libpq-fe.h>

#include <limits>
#include <utility>

#include "data/label_file.h"

namespace dorvana {

namespace {

// The server type of each label field as created, and the types accepted
// when a table made elsewhere is opened.
QString serverTypeOf(const FieldDef& d) {
    switch (d.type) {
        case FieldType::Integer:
            return QStringLiteral("integer");
        case FieldType::String:
            return QStringLiteral("character varying(%1)").arg(d.size);
        case FieldType::Float:
        case FieldType::Currency:
            return QStringLiteral("double precision");
        case FieldType::Date:
            return QStringLiteral("date");
        case FieldType::Graphic:
            return QStringLiteral("bytea");
        default:
            return QStringLiteral("text");
    }
}

bool acceptsServerType(const FieldDef& d, const QString& have) {
    switch (d.type) {
        case FieldType::Integer:
            return have == u"integer" || have == u"bigint" || have == u"smallint";
        case FieldType::Float:
        case FieldType::Currency:
            return have == u"double precision" || have == u"real" ||
                   have.startsWith(QLatin1String("numeric"));
        default:
            return have == serverTypeOf(d);
    }
}

QString md5Hex(const QByteArray& b) {
    return QString::fromLatin1(QCryptographicHash::hash(b, QCryptographicHash::Md5).toHex());
}

// What the server's SQLSTATE means for a clerk.
QString stateMessage(const PgResult& r) {
    const QString s = r.sqlState();
    if (s == u"42501") return QStringLiteral("chybí oprávnění (%1)").arg(r.error());
    if (s == u"42P01") return QStringLiteral("tabulka neexistuje");
    if (s == u"57014") return QStringLiteral("příkaz byl přerušen");
    if (s == u"25006") return QStringLiteral("zápis zde není dovolen (%1)").arg(r.error());
    if (s.startsWith(QLatin1String("08")) || s == u"57P01" || s.isEmpty())
        return QStringLiteral("spojení se serverem bylo přerušeno (%1)").arg(r.error());
    return r.error();
}

constexpr qint64 kMinKey = std::numeric_limits<qint64>::min();
constexpr qint64 kMaxKey = std::numeric_limits<qint64>::max();

}  // namespace

// ---------------------------------------------------------------- creating

// Connects for one action on the target's table; a failure names the table too.
static bool connectFor(PgConnection& c, const PgTarget& target, QString* error) {
    if (c.connect(target, error)) return true;
    if (error) *error += QStringLiteral(" (tabulka %1)").arg(target.table);
    return false;
}

bool serverTableExists(const PgTarget& target, bool* exists, QString* error) {
    PgConnection c;
    if (!connectFor(c, target, error)) return false;
    const PgResult r =
        c.exec(QStringLiteral("SELECT to_regclass($1) IS NOT NULL"), {pgIdentifier(target.table)});
    if (!r.ok() || r.rows() != 1) {
        if (error)
            *error = QStringLiteral("Server %1, tabulka %2: %3")
                         .arg(target.serverName, target.table, stateMessage(r));
        return false;
    }
    *exists = r.text(0, 0) == u"t";
    return true;
}

bool createServerLabelTableIn(PgConnection& c, const PgTarget& target, bool replace, bool* existed,
                              QString* error) {
    const QString table = pgIdentifier(target.table);
    QString failure;
    if (existed) *existed = false;
    auto run = [&](const QString& sql, const QList<QVariant>& params = {}) {
        if (!failure.isEmpty()) return PgResult();
        PgResult r = c.exec(sql, params);
        if (!r.ok()) failure = stateMessage(r);
        return r;
    };
    const PgResult exists = run(QStringLiteral("SELECT to_regclass($1) IS NOT NULL"), {table});
    if (failure.isEmpty() && exists.text(0, 0) == u"t") {
        if (existed) *existed = true;
        if (!replace)
            failure = QStringLiteral("tabulka už existuje (nahradit ji lze volbou --replace)");
        else
            run(QStringLiteral("DROP TABLE %1").arg(table));
    }
    QStringList cols;
    for (const FieldDef& d : labelRecordFields())
        cols << pgIdentifier(d.name) + QLatin1Char(' ') + serverTypeOf(d) +
                    (d.name == u"cislo" ? QStringLiteral(" NOT NULL PRIMARY KEY") : QString());
    run(QStringLiteral("CREATE TABLE %1 (%2)").arg(table, cols.join(QLatin1String(", "))));
    // One function for every label table of the schema: a statement that
    // changes a table tells the listeners of "dorvana_<the table's oid>".
    const PgResult fn = run(QStringLiteral("SELECT to_regprocedure('dorvana_notify()') IS NULL"));
    if (failure.isEmpty() && fn.text(0, 0) == u"t")
        run(QStringLiteral(
            "CREATE FUNCTION dorvana_notify() RETURNS trigger LANGUAGE plpgsql AS $f$ "
            "BEGIN PERFORM pg_notify('dorvana_' || TG_RELID::text, TG_OP); RETURN NULL; END $f$"));
    run(QStringLiteral("CREATE TRIGGER dorvana_notify AFTER INSERT OR UPDATE OR DELETE OR TRUNCATE "
                       "ON %1 FOR EACH STATEMENT EXECUTE FUNCTION dorvana_notify()")
            .arg(table));
    if (!failure.isEmpty()) {
        if (error)
            *error = QStringLiteral("Server %1, tabulka %2: %3")
                         .arg(target.serverName, target.table, failure);
        return false;
    }
    return true;
}

bool createServerLabelTable(const PgTarget& target, bool replace, QString* error) {
    PgConnection c;
    if (!connectFor(c, target, error)) return false;
    if (!c.exec(QStringLiteral("BEGIN")).ok() ||
        !createServerLabelTableIn(c, target, replace, nullptr, error)) {
        if (error && error->isEmpty())
            *error = QStringLiteral("Server %1, tabulka %2: %3")
                         .arg(target.serverName, target.table,
                              QStringLiteral("spojení se serverem bylo přerušeno"));
        c.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    const PgResult commit = c.exec(QStringLiteral("COMMIT"));
    if (!commit.ok()) {
        if (error)
            *error = QStringLiteral("Server %1, tabulka %2: %3")
                         .arg(target.serverName, target.table, stateMessage(commit));
        return false;
    }
    return true;
}

bool insertServerLabelRows(PgConnection& c, const PgTarget& target, const QList<RawRecord>& records,
                           QString* error) {
    // Several records a statement (a round trip each), at most 65535 parameters.
    const FieldDefs& defs = labelRecordFields();
    const int perRow = int(defs.size());
    constexpr int kRowsPerStatement = 256;
    QStringList names;
    for (const FieldDef& d : defs) names << pgIdentifier(d.name);
    for (qsizetype first = 0; first < records.size(); first += kRowsPerStatement) {
        const qsizetype n = std::min<qsizetype>(kRowsPerStatement, records.size() - first);
        QStringList rows;
        QList<QVariant> params;
        for (qsizetype k = 0; k < n; ++k) {
            QStringList marks;
            for (int i = 0; i < perRow; ++i) {
                marks << QStringLiteral("$%1").arg(params.size() + 1);
                params << records[first + k].value(i);
            }
            rows << QLatin1Char('(') + marks.join(QLatin1Char(',')) + QLatin1Char(')');
        }
        const PgResult r = c.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                                      .arg(pgIdentifier(target.table), names.join(QLatin1Char(',')),
                                           rows.join(QLatin1Char(','))),
                                  params);
        if (!r.ok()) {
            if (error)
                *error = QStringLiteral("Server %1, tabulka %2: %3")
                             .arg(target.serverName, target.table,
                                  r.sqlState() == u"23505"
                                      ? QStringLiteral("duplicitní klíč cislo (%1)").arg(r.error())
                                      : stateMessage(r));
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------- opening

std::unique_ptr<PgTableStore> PgTableStore::open(const QString& uri, QString* error,
                                                 RowCounting counting) {
    PgTarget t;
    if (!parseServerTableUri(uri, &t, error)) return nullptr;
    return open(t, error, counting);
}

std::unique_ptr<PgTableStore> PgTableStore::open(const PgTarget& target, QString* error,
                                                 RowCounting counting) {
    std::unique_ptr<PgTableStore> s(new PgTableStore);
    s->estimateNext_ = counting == RowCounting::Estimated;
    if (!s->init(target, error)) return nullptr;
    return s;
}

const FieldDefs& PgTableStore::fieldDefs() const {
    return labelRecordFields();
}

QString PgTableStore::fault(const QString& what) const {
    return QStringLiteral("Server %1, tabulka %2: %3")
        .arg(conn_.target().serverName, conn_.target().table, what);
}

QString PgTableStore::fault(const PgResult& r) const {
    return fault(stateMessage(r));
}

bool PgTableStore::init(const PgTarget& target, QString* error) {
    table_ = pgIdentifier(target.table);
    QStringList cols;
    for (const FieldDef& d : labelRecordFields()) cols << pgIdentifier(d.name);
    columns_ = cols.join(QLatin1String(", "));
    QString err;
    if (!conn_.connect(target, &err)) {
        if (error) *error = err + QStringLiteral(" (tabulka %1)").arg(target.table);
        return false;
    }
    return checkShape(error) && reload(error);
}

bool PgTableStore::checkShape(QString* error) {
    const PgResult oid = conn_.exec(QStringLiteral("SELECT to_regclass($1)::oid"), {table_});
    if (!oid.ok() || oid.rows() != 1) {
        if (error) *error = fault(oid);
        return false;
    }
    if (oid.isNull(0, 0)) {
        if (error) *error = fault(QStringLiteral("tabulka neexistuje"));
        return false;
    }
    channel_ = pgIdentifier(QStringLiteral("dorvana_") + oid.text(0, 0));
    const PgResult cols = conn_.exec(
        QStringLiteral("SELECT a.attname, format_type(a.atttypid, a.atttypmod), "
                       "EXISTS (SELECT 1 FROM pg_index i WHERE i.indrelid = a.attrelid AND "
                       "i.indisunique AND i.indnatts = 1 AND i.indkey[0] = a.attnum) "
                       "FROM pg_attribute a WHERE a.attrelid = $1::oid AND a.attnum > 0 AND "
                       "NOT a.attisdropped"),
        {oid.text(0, 0)});
    if (!cols.ok()) {
        if (error) *error = fault(cols);
        return false;
    }
    QString why, keyWhy;
    for (const FieldDef& d : labelRecordFields()) {
        int found = -1;
        for (int r = 0; r < cols.rows() && found < 0; ++r)
            if (cols.text(r, 0) == d.name) found = r;
        if (found < 0) {
            why = QStringLiteral("chybí pole %1").arg(d.name);
        } else if (!acceptsServerType(d, cols.text(found, 1))) {
            why = QStringLiteral("pole %1 má typ %2 místo %3")
                      .arg(d.name, cols.text(found, 1), serverTypeOf(d));
        } else if (d.name == u"cislo" && cols.text(found, 2) != u"t") {
            keyWhy = QStringLiteral("pole cislo není jedinečný klíč");
        }
        if (!why.isEmpty()) break;
    }
    if (why.isEmpty()) why = keyWhy;
    if (!why.isEmpty()) {
        if (error) *error = fault(QStringLiteral("není tabulka etiket: %1").arg(why));
        return false;
    }
    return listen(error);
}

bool PgTableStore::listen(QString* error) const {
    const PgResult r = conn_.exec(QStringLiteral("LISTEN %1").arg(channel_));
    if (!r.ok()) {
        if (error) *error = fault(r);
        return false;
    }
    return true;
}

bool PgTableStore::ensureConnected(QString* error) const {
    if (conn_.isOk()) return true;
    QString err;
    if (!conn_.reconnect(&err)) {
        if (error) *error = err + QStringLiteral(" (tabulka %1)").arg(conn_.target().table);
        return false;
    }
    return listen(error);
}

bool PgTableStore::reload(QString* error) {
    if (!ensureConnected(error)) return false;
    conn_.takeNotifications();
    qint64 count = 0;
    if (!countRows(&count, error)) return false;
    keys_.reset(count, [this](qint64 lo, qint64 hi, qint64 limit,
                                                  bool descending, std::vector<qint64>* out) {
        return fetchKeys(lo, hi, limit, descending, out);
    });
    return true;
}

bool PgTableStore::countRows(qint64* count, QString* error) {
    if (exactCount_ >= 0) {
        *count = std::exchange(exactCount_, -1);
        return true;
    }
    // Only the opening estimates: a change elsewhere is re-read with its count.
    if (std::exchange(estimateNext_, false)) {
        const PgResult e = conn_.exec(
            QStringLiteral("SELECT greatest(c.reltuples, s.n_live_tup, 0)::bigint FROM pg_class c "
                           "LEFT JOIN pg_stat_user_tables s ON s.relid = c.oid "
                           "WHERE c.oid = to_regclass($1)"),
            {table_});
        const qint64 estimate = e.ok() && e.rows() == 1 ? e.text(0, 0).toLongLong() : 0;
        if (estimate >= kEstimatedFrom && startExactCount(estimate)) {
            *count = estimate;
            return true;
        }
    }
    // A side count still running would arrive older than this one.
    if (std::exchange(counting_, false)) counter_.close();
    const PgResult r = conn_.exec(QStringLiteral("SELECT count(*) FROM %1").arg(table_));
    if (!r.ok() || r.rows() != 1) {
        if (error) *error = fault(r);
        return false;
    }
    *count = r.text(0, 0).toLongLong();
    return true;
}

bool PgTableStore::startExactCount(qint64 estimate) {
    if (!counter_.isOk() && !counter_.connect(conn_.target(), nullptr)) return false;
    const QByteArray sql = QStringLiteral("SELECT count(*) FROM %1").arg(table_).toUtf8();
    if (!PQsendQuery(counter_.handle(), sql.constData())) return false;
    counting_ = true;
    estimate_ = estimate;
    return true;
}

bool PgTableStore::takeExactCount() {
    if (!counting_) return false;
    if (!PQconsumeInput(counter_.handle()) || !PQisBusy(counter_.handle())) {
        PgResult r(PQgetResult(counter_.handle()));
        while (PGresult* more = PQgetResult(counter_.handle())) PQclear(more);
        counting_ = false;
        // A failed side count is made again at the re-read.
        exactCount_ = r.ok() && r.rows() == 1 ? r.text(0, 0).toLongLong() : -1;
        if (exactCount_ == estimate_) exactCount_ = -1;  // the estimate was right
        return exactCount_ != -1 || !r.ok();
    }
    return false;
}

bool PgTableStore::changedElsewhere() {
    const bool counted = takeExactCount();
    const bool changed = !conn_.takeNotifications().isEmpty() || counted;
    // Found while rows are read (a grid painting), the change is no longer on
    // the socket: the watcher is told to re-read once the reading is over.
    if (changed && onNotice_) onNotice_();
    return changed;
}

// ---------------------------------------------------------------- reading

bool PgTableStore::fetchKeys(qint64 lo, qint64 hi, qint64 limit, bool descending,
                             std::vector<qint64>* out) const {
    keyError_.clear();
    if (!ensureConnected(&keyError_)) return false;
    const PgResult r = conn_.exec(
        QStringLiteral("SELECT cislo FROM %1 WHERE cislo >= $1::bigint AND cislo <= $2::bigint "
                       "ORDER BY cislo %2 LIMIT $3::bigint")
            .arg(table_, descending ? QStringLiteral("DESC") : QStringLiteral("ASC")),
        {QVariant::fromValue(lo), QVariant::fromValue(hi), QVariant::fromValue(limit)});
    if (!r.ok()) {
        keyError_ = fault(r);
        return false;
    }
    for (int i = 0; i < r.rows(); ++i) out->push_back(r.text(i, 0).toLongLong());
    return true;
}

bool PgTableStore::keyOf(qint64 row, qint64* key, QString* error) const {
    keyError_.clear();
    if (keys_.rowIdAt(row, key)) return true;
    if (error) *error = keyError_.isEmpty() ? QStringLiteral("Záznam nebyl nalezen") : keyError_;
    return false;
}

qint64 PgTableStore::rowId(qint64 row) const {
    qint64 key;
    return keys_.rowIdAt(row, &key) ? key : -1;
}

qint64 PgTableStore::rowOfId(qint64 id) const {
    return keys_.rowOf(id);
}

qint64 PgTableStore::findKey(const QVariant& key) const {
    if (key.isNull()) return -1;
    return rowOfId(key.toLongLong());
}

RawRecord PgTableStore::rawRow(const PgResult& r, int row) const {
    const FieldDefs& defs = labelRecordFields();
    RawRecord out(defs.size());
    for (int i = 0; i < defs.size(); ++i) {
        if (r.isNull(row, i)) continue;
        switch (defs[i].type) {
            case FieldType::Integer:
                out[i] = QVariant::fromValue(r.text(row, i).toLongLong());
                break;
            case FieldType::Float:
            case FieldType::Currency:
                out[i] = r.text(row, i).toDouble();
                break;
            case FieldType::Date:
                out[i] = QDate::fromString(r.text(row, i), Qt::ISODate);
                break;
            case FieldType::Graphic: {
                const QByteArray hex = r.bytes(row, i);
                out[i] = hex.startsWith("\\x") ? QByteArray::fromHex(hex.mid(2)) : hex;
                break;
            }
            default:
                out[i] = r.text(row, i);
                break;
        }
    }
    return out;
}

bool PgTableStore::readRows(qint64 first, qint64 count, QList<RawRecord>* out, QString* error) {
    if (first < 0 || first >= rowCount() || count <= 0) return true;
    qint64 firstKey;
    if (!keyOf(first, &firstKey, error)) return false;
    count = std::min(count, rowCount() - first);
    if (!ensureConnected(error)) return false;
    const PgResult r = conn_.exec(QStringLiteral("SELECT %1 FROM %2 WHERE cislo >= $1::bigint "
                                                 "ORDER BY cislo LIMIT $2::bigint")
                                      .arg(columns_, table_),
                                  {QVariant::fromValue(firstKey), QVariant::fromValue(count)});
    if (!r.ok()) {
        if (error) *error = fault(r);
        return false;
    }
    for (int i = 0; i < r.rows(); ++i) out->append(rawRow(r, i));
    return true;
}

// ---------------------------------------------------------------- writing

bool PgTableStore::canWrite(QString* reason) const {
    Q_UNUSED(reason)
    // Permissions are the server's: a refused write says so with the server's words.
    return true;
}

QString PgTableStore::keyViolation(const QVariant& key) const {
    return fault(QStringLiteral("Duplicitní klíč: záznam s hodnotou %1 pole cislo již existuje")
                     .arg(key.toString()));
}

bool PgTableStore::checkedWrite(const QString& sql, QList<QVariant> params, qint64 key,
                                const RawRecord& asRead, RowConflict* conflict, QString* error) {
    *conflict = RowConflict::None;
    if (!ensureConnected(error)) return false;
    // The row as read: every field equal (pictures by their MD5), nulls included.
    const FieldDefs& defs = labelRecordFields();
    QStringList same;
    same << QStringLiteral("cislo = $%1::bigint").arg(params.size() + 1);
    params << QVariant::fromValue(key);
    for (int i = 1; i < defs.size(); ++i) {
        const QVariant v = asRead.value(i);
        const QString col = pgIdentifier(defs[i].name);
        if (defs[i].type == FieldType::Graphic) {
            same << QStringLiteral("md5(%1) IS NOT DISTINCT FROM $%2")
                        .arg(col)
                        .arg(params.size() + 1);
            params << (v.isNull() ? QVariant() : QVariant(md5Hex(v.toByteArray())));
        } else {
            same << QStringLiteral("%1 IS NOT DISTINCT FROM $%2").arg(col).arg(params.size() + 1);
            params << v;
        }
    }
    PgResult r = conn_.exec(QStringLiteral("BEGIN"));
    if (r.ok())
        r = conn_.exec(sql + QStringLiteral(" WHERE ") + same.join(QLatin1String(" AND ")), params);
    if (!r.ok()) {
        const PgResult failed = std::move(r);
        conn_.exec(QStringLiteral("ROLLBACK"));
        if (error)
            *error = failed.sqlState() == u"23505" ? keyViolation(params.value(0)) : fault(failed);
        return false;
    }
    if (r.affected() == 0) {
        const PgResult there =
            conn_.exec(QStringLiteral("SELECT 1 FROM %1 WHERE cislo = $1::bigint").arg(table_),
                       {QVariant::fromValue(key)});
        conn_.exec(QStringLiteral("ROLLBACK"));
        if (!there.ok()) {
            if (error) *error = fault(there);
            return false;
        }
        *conflict = there.rows() > 0 ? RowConflict::Changed : RowConflict::Vanished;
        return true;
    }
    const PgResult commit = conn_.exec(QStringLiteral("COMMIT"));
    if (!commit.ok()) {
        if (error) *error = fault(commit);
        return false;
    }
    return true;
}

bool PgTableStore::updateReadRow(qint64 row, const RawRecord& asRead, const RawRecord& values,
                                 qint64* newRow, RowConflict* conflict, QString* error) {
    qint64 key;
    if (!keyOf(row, &key, error)) return false;
    const FieldDefs& defs = labelRecordFields();
    QStringList sets;
    QList<QVariant> params;
    for (int i = 0; i < defs.size(); ++i) {
        sets << QStringLiteral("%1 = $%2").arg(pgIdentifier(defs[i].name)).arg(i + 1);
        params << values.value(i);
    }
    if (!checkedWrite(
            QStringLiteral("UPDATE %1 SET %2").arg(table_, sets.join(QLatin1String(", "))), params,
            key, asRead, conflict, error))
        return false;
    if (*conflict != RowConflict::None) return true;
    const qint64 newKey = values.value(0).isNull() ? key : values.value(0).toLongLong();
    if (newKey != key) {
        keys_.removed(row);
        keys_.inserted(newKey);
    }
    *newRow = rowOfId(newKey);
    return true;
}

bool PgTableStore::deleteReadRow(qint64 row, const RawRecord& asRead, RowConflict* conflict,
                                 QString* error) {
    qint64 key;
    if (!keyOf(row, &key, error)) return false;
    if (!checkedWrite(QStringLiteral("DELETE FROM %1").arg(table_), {}, key, asRead, conflict,
                      error))
        return false;
    if (*conflict == RowConflict::None) keys_.removed(row);
    return true;
}

bool PgTableStore::updateRow(qint64 row, const RawRecord& values, qint64* newRow, QString* error) {
    // Unchecked writes overwrite what is there: read it first and name it.
    QList<RawRecord> now;
    if (!readRows(row, 1, &now, error)) return false;
    if (now.isEmpty()) {
        if (error) *error = QStringLiteral("Záznam nebyl nalezen");
        return false;
    }
    RowConflict conflict;
    if (!updateReadRow(row, now.first(), values, newRow, &conflict, error)) return false;
    if (conflict != RowConflict::None && error)
        *error = fault(QStringLiteral("záznam se právě měnil, zkuste to znovu"));
    return conflict == RowConflict::None;
}

bool PgTableStore::deleteRow(qint64 row, QString* error) {
    QList<RawRecord> now;
    if (!readRows(row, 1, &now, error)) return false;
    if (now.isEmpty()) return true;
    RowConflict conflict;
    if (!deleteReadRow(row, now.first(), &conflict, error)) return false;
    if (conflict == RowConflict::Changed && error)
        *error = fault(QStringLiteral("záznam se právě měnil, zkuste to znovu"));
    return conflict != RowConflict::Changed;
}

bool PgTableStore::insertRow(const RawRecord& values, qint64* newRow, QString* error) {
    if (!ensureConnected(error)) return false;
    const FieldDefs& defs = labelRecordFields();
    QStringList marks;
    QList<QVariant> params;
    for (int i = 0; i < defs.size(); ++i) {
        marks << (i == 0
                      ? QStringLiteral("COALESCE($1::bigint, (SELECT COALESCE(max(cislo), 0) + 1 "
                                       "FROM %1))")
                            .arg(table_)
                      : QStringLiteral("$%1").arg(i + 1));
        params << values.value(i);
    }
    const PgResult r = conn_.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING cislo")
                                      .arg(table_, columns_, marks.join(QLatin1String(", "))),
                                  params);
    if (!r.ok() || r.rows() != 1) {
        if (error) *error = r.sqlState() == u"23505" ? keyViolation(values.value(0)) : fault(r);
        return false;
    }
    const qint64 key = r.text(0, 0).toLongLong();
    keys_.inserted(key);
    *newRow = rowOfId(key);
    return true;
}

bool PgTableStore::insertMany(const QList<RawRecord>& records, QString* error) {
    if (!ensureConnected(error)) return false;
    if (!conn_.exec(QStringLiteral("BEGIN")).ok() ||
        !insertServerLabelRows(conn_, conn_.target(), records, error)) {
        if (error && error->isEmpty()) *error = fault(QStringLiteral("zápis se nezdařil"));
        conn_.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    const PgResult commit = conn_.exec(QStringLiteral("COMMIT"));
    if (!commit.ok()) {
        if (error) *error = fault(commit);
        return false;
    }
    return reload(error);
}

std::unique_ptr<DataSet> openServerLabelDataSet(const QString& uri, QString* error,
                                                RowCounting counting) {
    auto store = PgTableStore::open(uri, error, counting);
    return store ? labelDataSetOver(std::move(store)) : nullptr;
}

}  // namespace dorvana

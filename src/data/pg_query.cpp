#include "data/pg_query.h"

#include <libpq-fe.h>
#include <poll.h>

#include <QRegularExpression>
#include <algorithm>

#include "base/progress.h"
#include "data/memory_store.h"
#include "data/query.h"

namespace dorvana {

namespace {

// PostgreSQL's type oids (pg_type.h) of the types a label table holds.
enum : Oid {
    kBool = 16,
    kBytea = 17,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kText = 25,
    kFloat4 = 700,
    kFloat8 = 701,
    kBpchar = 1042,
    kVarchar = 1043,
    kDate = 1082,
    kNumeric = 1700
};

FieldDef fieldOfColumn(const PGresult* r, int c) {
    FieldDef d;
    d.name = QString::fromUtf8(PQfname(r, c));
    const int mod = PQfmod(r, c);
    switch (PQftype(r, c)) {
        case kBool:
            d.type = FieldType::Boolean;
            break;
        case kBytea:
            d.type = FieldType::Graphic;
            break;
        case kInt2:
        case kInt4:
        case kInt8:
            d.type = FieldType::Integer;
            break;
        case kFloat4:
        case kFloat8:
        case kNumeric:
            d.type = FieldType::Float;
            break;
        case kDate:
            d.type = FieldType::Date;
            break;
        case kVarchar:
        case kBpchar:
            d.type = FieldType::String;
            d.size = mod > 4 ? mod - 4 : 255;
            break;
        case kText:
            d.type = FieldType::Memo;
            break;
        default:
            d.type = FieldType::String;
            d.size = 255;
            break;
    }
    return d;
}

QVariant rawOf(const PGresult* r, int row, int c, FieldType type) {
    if (PQgetisnull(r, row, c)) return {};
    const QByteArray text(PQgetvalue(r, row, c), PQgetlength(r, row, c));
    switch (type) {
        case FieldType::Boolean:
            return text == "t";
        case FieldType::Graphic:
            return text.startsWith("\\x") ? QByteArray::fromHex(text.mid(2)) : text;
        case FieldType::Integer:
            return QVariant::fromValue(text.toLongLong());
        case FieldType::Float:
            return text.toDouble();
        case FieldType::Date:
            return QDate::fromString(QString::fromLatin1(text), Qt::ISODate);
        default:
            return QString::fromUtf8(text);
    }
}

}  // namespace

bool sqlNamesLocalFile(const QString& sql, QString* name) {
    static const QRegularExpression quoted(QStringLiteral("\"((?:[^\"]|\"\")*)\""));
    static const QRegularExpression fileLike(QStringLiteral("[/\\\\:]|\\.(db|dbf|csv|txt|sqlite)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    for (auto it = quoted.globalMatch(sql); it.hasNext();) {
        const QString n = it.next().captured(1);
        if (fileLike.match(n).hasMatch()) {
            if (name) *name = n;
            return true;
        }
    }
    return false;
}

bool resolveServerTableNames(const PgTarget& target, QString* sql, QString* error) {
    static const QRegularExpression quoted(QStringLiteral("\"((?:[^\"]|\"\")*)\""));
    QString out;
    qsizetype done = 0;
    for (auto it = quoted.globalMatch(*sql); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString name = m.captured(1).replace(QStringLiteral("\"\""), QStringLiteral("\""));
        if (!isServerTableUri(name)) continue;
        PgTarget other;
        QString err;
        if (!parseServerTableUri(name, &other, &err)) {
            if (error) *error = err;
            return false;
        }
        auto mine = target.options, theirs = other.options;
        std::sort(mine.begin(), mine.end());
        std::sort(theirs.begin(), theirs.end());
        if (mine != theirs) {
            if (error)
                *error = QStringLiteral("Server %1, tabulka %2: dotaz spojuje tabulky dvou "
                                        "různých serverů (%3); to nelze")
                             .arg(target.serverName, target.table, other.serverName);
            return false;
        }
        out += sql->mid(done, m.capturedStart() - done) + pgIdentifier(other.table);
        done = m.capturedEnd();
    }
    *sql = out + sql->mid(done);
    return true;
}

std::unique_ptr<DataSet> runServerQuery(const PgTarget& target, const QString& sql,
                                        const ServerQueryOptions& options, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("Server %1, tabulka %2: %3")
                         .arg(target.serverName, target.table, why);
        return nullptr;
    };
    QString local;
    if (sqlNamesLocalFile(sql, &local))
        return fail(QStringLiteral("dotaz spojuje tabulku na serveru s místním souborem %1; "
                                   "to nelze")
                        .arg(local));
    PgConnection c;
    QString err;
    if (!c.connect(target, &err)) {
        if (error) *error = err;
        return nullptr;
    }
    auto run = [&](const QString& s) {
        const PgResult r = c.exec(s);
        if (!r.ok()) err = r.error();
        return r.ok();
    };
    if (!run(QStringLiteral("BEGIN READ ONLY")) ||
        !run(
            QStringLiteral("SET LOCAL statement_timeout = %1").arg(std::max(1, options.timeoutMs))))
        return fail(err);
    // Sent without waiting, so that the progress window can cancel it.
    const QByteArray text = sql.toUtf8();
    if (!PQsendQueryParams(c.handle(), text.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0))
        return fail(QString::fromUtf8(PQerrorMessage(c.handle())).trimmed());
    bool cancelled = false;
    while (PQisBusy(c.handle())) {
        pollfd p{c.socket(), POLLIN, 0};
        ::poll(&p, 1, 100);
        if (!PQconsumeInput(c.handle())) break;
        // Polled as a query over files polls it: the progress window shows
        // "Provádím dotaz ..." once the statement lasts, and "Přeruš" cancels it.
        if (options.progress) {
            if (!cancelled && options.progress->cancelled()) {
                cancelled = true;
                c.cancel();
            }
        }
    }
    PgResult result(PQgetResult(c.handle()));
    while (PGresult* more = PQgetResult(c.handle())) {
        if (PQresultStatus(more) != PGRES_TUPLES_OK && PQresultStatus(more) != PGRES_COMMAND_OK)
            result = PgResult(more);  // a later statement's error wins
        else
            PQclear(more);
    }
    if (cancelled) return fail(kQueryCancelledText);
    if (!result.ok()) {
        const QString state = result.sqlState();
        if (state == u"25006")
            return fail(QStringLiteral("dotaz smí jen číst (%1)").arg(result.error()));
        if (state == u"57014")
            return fail(QStringLiteral("dotaz běžel déle než %1 s a byl ukončen")
                            .arg(options.timeoutMs / 1000.0));
        return fail(result.error());
    }
    if (PQresultStatus(result.handle()) != PGRES_TUPLES_OK)
        return fail(QStringLiteral("dotaz nevrací záznamy"));
    FieldDefs defs;
    for (int col = 0; col < result.columns(); ++col) defs << fieldOfColumn(result.handle(), col);
    QList<RawRecord> rows;
    rows.reserve(result.rows());
    for (int row = 0; row < result.rows(); ++row) {
        RawRecord r(defs.size());
        for (int col = 0; col < defs.size(); ++col)
            r[col] = rawOf(result.handle(), row, col, defs[col].type);
        rows << std::move(r);
    }
    c.exec(QStringLiteral("ROLLBACK"));
    auto ds = std::make_unique<DataSet>();
    ds->addCalculatedField(QStringLiteral("Calc"), FieldType::Integer, true);
    ds->setStore(std::make_unique<MemoryStore>(defs, std::move(rows)));
    return ds;
}

}  // namespace dorvana

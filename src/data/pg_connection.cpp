#include "data/pg_connection.h"

#include <libpq-fe.h>

#include <QDateTime>
#include <QSet>
#include <QUrl>

namespace dorvana {

namespace {

QString pgMessage(const PGconn* conn) {
    return QString::fromUtf8(PQerrorMessage(conn)).trimmed();
}

// Fixed session settings: values are read and written in these forms.
constexpr const char* kSessionOptions =
    "-c DateStyle=ISO,YMD -c extra_float_digits=3 -c bytea_output=hex -c TimeZone=UTC";

}  // namespace

bool isServerTableUri(const QString& text) {
    return text.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           text.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

bool parseServerTableUri(const QString& uri, PgTarget* out, QString* error) {
    auto fail = [&](const QString& why) {
        if (error) *error = QStringLiteral("Adresa tabulky na serveru %1: %2").arg(uri, why);
        return false;
    };
    if (!isServerTableUri(uri)) return fail(QStringLiteral("nezačíná postgresql://"));
    QString base = uri, query;
    const qsizetype q = uri.indexOf(QLatin1Char('?'));
    if (q >= 0) {
        base = uri.left(q);
        query = uri.mid(q + 1);
    }
    QString table;
    QStringList rest;
    for (const QString& part : query.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        const QString key = QUrl::fromPercentEncoding(part.left(eq).toUtf8());
        if (key == u"table")
            table = QUrl::fromPercentEncoding(part.mid(eq + 1).toUtf8());
        else
            rest << part;
    }
    if (table.isEmpty()) return fail(QStringLiteral("chybí název tabulky (?table=…)"));
    if (table.contains(QChar(0))) return fail(QStringLiteral("neplatný název tabulky"));
    const QByteArray conninfo =
        (rest.isEmpty() ? base : base + QLatin1Char('?') + rest.join(QLatin1Char('&'))).toUtf8();
    char* err = nullptr;
    PQconninfoOption* opts = PQconninfoParse(conninfo.constData(), &err);
    if (!opts) {
        const QString why =
            err ? QString::fromUtf8(err).trimmed() : QStringLiteral("neplatná adresa");
        PQfreemem(err);
        return fail(why);
    }
    static const QSet<QString> allowed = {
        QStringLiteral("host"),    QStringLiteral("hostaddr"),
        QStringLiteral("port"),    QStringLiteral("dbname"),
        QStringLiteral("user"),    QStringLiteral("connect_timeout"),
        QStringLiteral("sslmode"), QStringLiteral("application_name")};
    PgTarget t;
    QString refused;
    QString host, port, db, user;
    for (PQconninfoOption* o = opts; o->keyword; ++o) {
        if (!o->val) continue;
        const QString key = QString::fromUtf8(o->keyword);
        if (key == u"password") {
            refused =
                QStringLiteral("heslo do adresy nepatří (patří do ~/.pgpass nebo PGPASSWORD)");
            break;
        }
        if (!allowed.contains(key)) {
            refused = QStringLiteral("volba %1 není dovolena").arg(key);
            break;
        }
        const QByteArray val(o->val);
        if (val.contains('\0')) continue;
        t.options.emplace_back(QByteArray(o->keyword), val);
        if (key == u"host") host = QString::fromUtf8(val);
        if (key == u"hostaddr" && host.isEmpty()) host = QString::fromUtf8(val);
        if (key == u"port") port = QString::fromUtf8(val);
        if (key == u"dbname") db = QString::fromUtf8(val);
        if (key == u"user") user = QString::fromUtf8(val);
    }
    PQconninfoFree(opts);
    if (!refused.isEmpty()) return fail(refused);
    t.options.emplace_back(QByteArray("options"), QByteArray(kSessionOptions));
    t.options.emplace_back(QByteArray("client_encoding"), QByteArray("UTF8"));
    t.options.emplace_back(QByteArray("fallback_application_name"), QByteArray("dorvana"));
    bool hasTimeout = false;
    for (const auto& [k, v] : t.options) hasTimeout = hasTimeout || k == "connect_timeout";
    if (!hasTimeout) t.options.emplace_back(QByteArray("connect_timeout"), QByteArray("5"));
    t.table = table;
    t.serverName =
        QStringLiteral("%1%2%3").arg(host.isEmpty() ? QStringLiteral("localhost") : host,
                                     port.isEmpty() ? QString() : QLatin1Char(':') + port,
                                     db.isEmpty() ? QString() : QStringLiteral(", databáze ") + db);
    Q_UNUSED(user)
    t.uri = uri;
    *out = std::move(t);
    return true;
}

QString serverTableUri(const QString& host, int port, const QString& database, const QString& user,
                       const QString& table) {
    auto pct = [](const QString& s) { return QString::fromLatin1(QUrl::toPercentEncoding(s)); };
    const bool socketFolder = host.startsWith(QLatin1Char('/'));
    QString uri = QStringLiteral("postgresql://");
    if (!user.isEmpty()) uri += pct(user) + QLatin1Char('@');
    if (!socketFolder) uri += pct(host);
    if (port > 0) uri += QLatin1Char(':') + QString::number(port);
    uri += QLatin1Char('/') + pct(database) + QLatin1Char('?');
    if (socketFolder) uri += QStringLiteral("host=") + pct(host) + QLatin1Char('&');
    return uri + QStringLiteral("table=") + pct(table);
}

QString pgIdentifier(const QString& name) {
    QString s = name;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

// ---------------------------------------------------------------- PgResult

void PgResult::Clear::operator()(PGresult* r) const {
    PQclear(r);
}

PgResult::PgResult(PGresult* r) : r_(r) {}

bool PgResult::ok() const {
    if (!r_) return false;
    const ExecStatusType s = PQresultStatus(r_.get());
    return s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK;
}

int PgResult::rows() const {
    return r_ ? PQntuples(r_.get()) : 0;
}

int PgResult::columns() const {
    return r_ ? PQnfields(r_.get()) : 0;
}

bool PgResult::isNull(int row, int column) const {
    return !r_ || PQgetisnull(r_.get(), row, column);
}

QString PgResult::text(int row, int column) const {
    return r_ ? QString::fromUtf8(PQgetvalue(r_.get(), row, column),
                                  PQgetlength(r_.get(), row, column))
              : QString();
}

QByteArray PgResult::bytes(int row, int column) const {
    return r_ ? QByteArray(PQgetvalue(r_.get(), row, column), PQgetlength(r_.get(), row, column))
              : QByteArray();
}

qint64 PgResult::affected() const {
    return r_ ? QByteArray(PQcmdTuples(r_.get())).toLongLong() : 0;
}

QString PgResult::sqlState() const {
    const char* s = r_ ? PQresultErrorField(r_.get(), PG_DIAG_SQLSTATE) : nullptr;
    return s ? QString::fromLatin1(s) : QString();
}

QString PgResult::error() const {
    if (!r_) return QStringLiteral("spojení se serverem není");
    const char* primary = PQresultErrorField(r_.get(), PG_DIAG_MESSAGE_PRIMARY);
    return QString::fromUtf8(primary ? primary : PQresultErrorMessage(r_.get())).trimmed();
}

// ---------------------------------------------------------------- PgConnection

PgConnection::~PgConnection() {
    close();
}

void PgConnection::close() {
    if (conn_) PQfinish(conn_);
    conn_ = nullptr;
}

bool PgConnection::connect(const PgTarget& target, QString* error) {
    close();
    target_ = target;
    std::vector<const char*> keys, values;
    for (const auto& [k, v] : target.options) {
        keys.push_back(k.constData());
        values.push_back(v.constData());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    conn_ = PQconnectdbParams(keys.data(), values.data(), 0);
    return afterConnect(error);
}

bool PgConnection::afterConnect(QString* error) {
    if (!conn_ || PQstatus(conn_) != CONNECTION_OK) {
        if (error)
            *error = QStringLiteral("K serveru %1 se nelze připojit: %2")
                         .arg(target_.serverName,
                              conn_ ? pgMessage(conn_) : QStringLiteral("nedostatek paměti"));
        close();
        return false;
    }
    PQsetnonblocking(conn_, 0);
    return true;
}

bool PgConnection::isOk() const {
    return conn_ && PQstatus(conn_) == CONNECTION_OK;
}

bool PgConnection::reconnect(QString* error) {
    if (!conn_) return connect(target_, error);
    PQreset(conn_);
    return afterConnect(error);
}

PgResult PgConnection::exec(const QString& sql, const QList<QVariant>& params) {
    if (!conn_) return PgResult();
    const int n = int(params.size());
    const auto count = static_cast<size_t>(n);
    std::vector<QByteArray> store(count);
    std::vector<const char*> values(count);
    std::vector<int> lengths(count), formats(count);
    for (int i = 0; i < n; ++i) {
        const QVariant& v = params[i];
        QByteArray& b = store[size_t(i)];
        if (v.isNull()) {
            values[size_t(i)] = nullptr;
            continue;
        }
        switch (v.typeId()) {
            case QMetaType::QByteArray:
                b = v.toByteArray();
                formats[size_t(i)] = 1;
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                b = QByteArray::number(v.toDouble(), 'g', 17);
                break;
            case QMetaType::Bool:
                b = v.toBool() ? "true" : "false";
                break;
            case QMetaType::QDate:
                b = v.toDate().toString(Qt::ISODate).toLatin1();
                break;
            case QMetaType::QTime:
                b = v.toTime().toString(Qt::ISODateWithMs).toLatin1();
                break;
            case QMetaType::QDateTime:
                b = v.toDateTime().toString(Qt::ISODateWithMs).toLatin1();
                break;
            default:
                b = v.toString().toUtf8();
                break;
        }
        values[size_t(i)] = b.constData();
        lengths[size_t(i)] = int(b.size());
    }
    const QByteArray text = sql.toUtf8();
    PgResult result(PQexecParams(conn_, text.constData(), n, nullptr, values.data(), lengths.data(),
                                 formats.data(), 0));
    // A notice read along with the reply no longer makes the socket readable.
    if (queueNotifications() && onNotice_) onNotice_();
    return result;
}

bool PgConnection::queueNotifications() {
    const int self = PQbackendPID(conn_);
    bool added = false;
    while (PGnotify* n = PQnotifies(conn_)) {
        if (n->be_pid != self) {
            queued_ << QString::fromUtf8(n->relname);
            added = true;
        }
        PQfreemem(n);
    }
    return added;
}

int PgConnection::socket() const {
    return conn_ ? PQsocket(conn_) : -1;
}

int PgConnection::backendPid() const {
    return conn_ ? PQbackendPID(conn_) : 0;
}

QStringList PgConnection::takeNotifications() {
    QStringList out;
    if (!conn_) return out;
    PQconsumeInput(conn_);
    queueNotifications();
    out.swap(queued_);
    return out;
}

void PgConnection::cancel() {
    if (!conn_) return;
    if (PGcancel* c = PQgetCancel(conn_)) {
        char buf[256];
        PQcancel(c, buf, sizeof buf);
        PQfreeCancel(c);
    }
}

}  // namespace dorvana

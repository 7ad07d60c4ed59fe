#pragma once
// A small RAII wrapper over libpq (PostgreSQL's C API): a connection to a
// server, results, statements with parameters (values never go into the SQL
// text), notifications and cancelling. Errors come back as false or a failed
// result plus the server's message.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

typedef struct pg_conn PGconn;
typedef struct pg_result PGresult;

namespace dorvana {

// Where a label table on a server is: the connection options libpq gets and
// the table's name, read from a URI
// "postgresql://user@host:port/database?table=etikety" (a Unix socket
// folder as host=%2Frun%2Fpostgresql).
struct PgTarget {
    std::vector<std::pair<QByteArray, QByteArray>> options;  // libpq keyword, value
    QString table;
    // For messages: "host:port, databáze db" (a socket folder for the host).
    QString serverName;
    // The URI without anything secret (for recent files and settings).
    QString uri;
};

// Whether text is a server table's URI (postgresql:// or postgres://).
bool isServerTableUri(const QString& text);
// Reads a URI. Refused: a missing or empty table, a password in the URI
// (it comes from ~/.pgpass, PGPASSFILE or the environment), and options
// beyond host, port, database, user, connect timeout, SSL mode and
// application name (no files, services or server options from a URI).
bool parseServerTableUri(const QString& uri, PgTarget* out, QString* error);
// The URI of a target made of its parts (the dialog's fields).
QString serverTableUri(const QString& host, int port, const QString& database, const QString& user,
                       const QString& table);

// "name" quoted as an SQL identifier ("a""b").
QString pgIdentifier(const QString& name);

class PgResult {
public:
    PgResult() = default;
    explicit PgResult(PGresult* r);
    bool ok() const;  // the command or query succeeded
    int rows() const;
    int columns() const;
    bool isNull(int row, int column) const;
    QString text(int row, int column) const;
    QByteArray bytes(int row, int column) const;  // the raw text of the value
    qint64 affected() const;                      // rows of INSERT/UPDATE/DELETE
    QString sqlState() const;                     // "23505", ...
    QString error() const;
    PGresult* handle() const { return r_.get(); }

private:
    struct Clear {
        void operator()(PGresult* r) const;
    };
    std::unique_ptr<PGresult, Clear> r_;
};

class PgConnection {
public:
    PgConnection() = default;
    ~PgConnection();
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    bool connect(const PgTarget& target, QString* error);
    bool isOk() const;
    // Connects again after the server dropped the connection.
    bool reconnect(QString* error);
    void close();

    // Runs sql with parameters $1, $2, ...: null is NULL, QByteArray goes as
    // binary bytea, numbers, dates and texts as their text.
    PgResult exec(const QString& sql, const QList<QVariant>& params = {});

    // The socket to watch for notifications; -1 when not connected.
    int socket() const;
    int backendPid() const;
    // Reads what arrived and returns the notifications sent by other
    // connections (channel names).
    QStringList takeNotifications();
    // Called when a reply brought another connection's notification along
    // (libpq read it, so the socket shows nothing more): the caller looks at
    // takeNotifications() later, outside the statement.
    void setNoticeHandler(std::function<void()> handler) { onNotice_ = std::move(handler); }
    // Asks the server to cancel what this connection runs (safe from another thread).
    void cancel();

    PGconn* handle() const { return conn_; }
    const PgTarget& target() const { return target_; }

private:
    bool afterConnect(QString* error);
    // Moves what libpq read to queued_; whether another connection's came.
    bool queueNotifications();
    PGconn* conn_ = nullptr;
    QStringList queued_;
    std::function<void()> onNotice_;
    PgTarget target_;
};

}  // namespace dorvana

// Fuzz target: arbitrary text as the URI of a label table on a database
// server (the command line's --table, a recent file, the restore at start).
// Nothing crashes; a URI that is taken names a table, carries no password and
// gives the connection only the options a URI may set, plus the program's own.
#include <QByteArray>
#include <QSet>
#include <QString>
#include <cstdint>

#include "data/pg_connection.h"
#include "quiet_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace dorvana;
    const QString uri =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    PgTarget target;
    QString error;
    (void)isServerTableUri(uri);
    if (!parseServerTableUri(uri, &target, &error)) {
        if (error.isEmpty()) __builtin_trap();
        return 0;
    }
    static const QSet<QByteArray> permitted = {
        "host", "hostaddr", "port", "dbname", "user", "connect_timeout", "sslmode",
        "application_name", "options", "client_encoding", "fallback_application_name"};
    if (target.table.isEmpty()) __builtin_trap();
    for (const auto& [key, value] : target.options) {
        if (!permitted.contains(key) || value.contains('\0')) __builtin_trap();
    }
    // The parts make a URI again that names the same table.
    PgTarget again;
    const QString rebuilt = serverTableUri(QString(), 0, QString(), QString(), target.table);
    if (!parseServerTableUri(rebuilt, &again, &error) || again.table != target.table)
        __builtin_trap();
    (void)pgIdentifier(target.table);
    return 0;
}

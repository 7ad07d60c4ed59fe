#pragma once
// The tests' private PostgreSQL server (started by the PgServer fixture).

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QString>
#include <atomic>

#include "data/pg_connection.h"

namespace dorvana::test {

// The socket folder of the running test server; a failure when it is not
// running (run the tests through ctest, which starts it).
inline QString testServerSocket() {
    QFile f(QStringLiteral(DORVANA_PG_FOLDER "/socket"));
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "no test server: run through ctest (fixture PgServer.Start) or "
                         "scripts/pg-test-server start " DORVANA_PG_FOLDER;
        return {};
    }
    return QString::fromUtf8(f.readAll()).trimmed();
}

// A table name no other test (or test process) uses.
inline QString uniqueTableName(const QString& stem) {
    static std::atomic<int> n{0};
    return QStringLiteral("%1_%2_%3").arg(stem).arg(getpid()).arg(++n);
}

// The URI of a table on the test server.
inline QString testServerUri(const QString& table) {
    return serverTableUri(testServerSocket(), 0, QStringLiteral("postgres"),
                          QStringLiteral("postgres"), table);
}

inline PgTarget testServerTarget(const QString& table) {
    PgTarget t;
    QString err;
    EXPECT_TRUE(parseServerTableUri(testServerUri(table), &t, &err)) << err.toStdString();
    return t;
}

}  // namespace dorvana::test

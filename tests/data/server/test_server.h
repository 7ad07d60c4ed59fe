#pragma once
// The tests' private PostgreSQL server (started by the PgServer fixture).

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QString>
#include <atomic>

#include "data/label_file.h"
#include "data/pg_connection.h"
#include "data/pg_table.h"

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

// A new label table on the test server with numbered records "Věc i"; its URI.
inline QString serverLabelTable(const QString& stem, int records) {
    const QString table = uniqueTableName(stem);
    const QString uri = testServerUri(table);
    QString err;
    EXPECT_TRUE(createServerLabelTable(testServerTarget(table), false, &err)) << err.toStdString();
    auto store = PgTableStore::open(uri, &err);
    EXPECT_TRUE(store) << err.toStdString();
    QList<RawRecord> rows;
    for (int i = 1; i <= records; ++i) {
        RawRecord r(labelRecordFields().size());
        r[0] = QVariant::fromValue<qint64>(i);
        r[1] = QStringLiteral("Věc %1").arg(i);
        rows << r;
    }
    if (store && !rows.isEmpty()) {
        EXPECT_TRUE(store->insertMany(rows, &err)) << err.toStdString();
    }
    return uri;
}

}  // namespace dorvana::test

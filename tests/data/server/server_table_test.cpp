// Label tables on a server: names and values that try to break out of SQL,
// URIs that try to smuggle options, faults of the server and the table, and
// other clerks' changes arriving by notification.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>
#include <QUrl>

#include "base/progress.h"
#include "data/pg_query.h"
#include "data/pg_table.h"
#include "data/query.h"
#include "data/server/test_server.h"
#include "data/table_open.h"

using namespace dorvana;
using namespace dorvana::test;

namespace {

// Runs one statement on the test server (outside the store under test).
PgResult admin(const QString& sql, const QList<QVariant>& params = {}) {
    static PgConnection c;
    if (!c.isOk()) {
        QString err;
        EXPECT_TRUE(c.connect(testServerTarget(QStringLiteral("x")), &err)) << err.toStdString();
    }
    return c.exec(sql, params);
}

std::unique_ptr<DataSet> createAndOpen(const QString& table, QString* uri) {
    *uri = testServerUri(table);
    QString err;
    EXPECT_TRUE(createServerLabelTable(testServerTarget(table), false, &err)) << err.toStdString();
    auto ds = openAnyTable(*uri, &err);
    EXPECT_TRUE(ds) << err.toStdString();
    return ds;
}

bool addRecord(DataSet& ds, int key, const QString& name, QString* err) {
    return ds.append(err) &&
           ds.findField(QStringLiteral("cislo"))->setValue(TaggedValue::integer(key), err) &&
           ds.findField(QStringLiteral("nazev1"))->setText(name, err) && ds.post(err);
}

TEST(ServerTable, HostileTableNamesAndValuesStayData) {
    admin(QStringLiteral("CREATE TABLE IF NOT EXISTS obet (x int)"));
    const QString table = uniqueTableName(QStringLiteral("Ta\"b;le\\ 'x; DROP TABLE obet; --"));
    QString uri;
    auto ds = createAndOpen(table, &uri);
    ASSERT_TRUE(ds);
    const QStringList values = {QStringLiteral("O'Brien \"; DROP TABLE obet; --"),
                                QStringLiteral("C:\\cesta\\ a \\x00 \\\\"),
                                QStringLiteral("$1 $$ ; '' \\' ž")};
    QString err;
    for (int i = 0; i < values.size(); ++i)
        ASSERT_TRUE(addRecord(*ds, i + 1, values[i], &err)) << err.toStdString();
    ASSERT_TRUE(ds->edit(&err));
    ds->findField(QStringLiteral("pozn"))->setText(QStringLiteral("poznámka ' \" \\ ;"));
    ds->findField(QStringLiteral("logo"))->setBlob(QByteArray("\0\\x'\";", 6));
    ASSERT_TRUE(ds->post(&err)) << err.toStdString();

    auto again = openAnyTable(uri, &err);
    ASSERT_TRUE(again) << err.toStdString();
    QStringList read;
    for (again->first(); !again->atEnd(); again->next())
        read << again->findField(QStringLiteral("nazev1"))->value().asText();
    EXPECT_EQ(read, values);
    EXPECT_EQ(again->findField(QStringLiteral("pozn"))->value().asText(),
              QStringLiteral("poznámka ' \" \\ ;"));
    EXPECT_EQ(again->findField(QStringLiteral("logo"))->blob(), QByteArray("\0\\x'\";", 6));
    // The table has exactly the name given, and nothing else was touched.
    EXPECT_EQ(admin(QStringLiteral("SELECT to_regclass($1) IS NOT NULL"), {pgIdentifier(table)})
                  .text(0, 0),
              QStringLiteral("t"));
    EXPECT_EQ(admin(QStringLiteral("SELECT to_regclass('obet') IS NOT NULL")).text(0, 0),
              QStringLiteral("t"));
}

TEST(ServerTable, UrisWithHostileOptionsAreRefused) {
    const QString socket = QString::fromLatin1(QUrl::toPercentEncoding(testServerSocket()));
    const QString base = QStringLiteral("postgresql://postgres@/postgres?host=%1").arg(socket);
    struct Case {
        QString uri;
        const char* said;
    };
    const Case cases[] = {
        {base, "chybí název tabulky"},
        {base + QStringLiteral("&table="), "chybí název tabulky"},
        {QStringLiteral("postgresql://postgres:tajne@/postgres?host=%1&table=t").arg(socket),
         "heslo"},
        {base + QStringLiteral("&password=x&table=t"), "heslo"},
        {base + QStringLiteral("&options=-c%20default_transaction_read_only%3Doff&table=t"),
         "options"},
        {base + QStringLiteral("&passfile=/etc/shadow&table=t"), "passfile"},
        {base + QStringLiteral("&service=x&table=t"), "service"},
        {base + QStringLiteral("&sslkey=/root/.ssh/id_rsa&table=t"), "sslkey"},
        {base + QStringLiteral("&nesmysl=1&table=t"), "nesmysl"},
        {QStringLiteral("postgresql://[::1&table=t"), "postgresql://[::1"},
        {QStringLiteral("http://server/db?table=t"), "postgresql://"},
    };
    for (const Case& c : cases) {
        PgTarget t;
        QString err;
        EXPECT_FALSE(parseServerTableUri(c.uri, &t, &err)) << c.uri.toStdString();
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.said)))
            << c.uri.toStdString() << ": " << err.toStdString();
        EXPECT_FALSE(openAnyTable(c.uri, &err)) << c.uri.toStdString();
    }
    // What is allowed reaches the server.
    PgTarget t;
    QString err;
    ASSERT_TRUE(parseServerTableUri(
        base + QStringLiteral("&connect_timeout=3&application_name=x&table=t"), &t, &err))
        << err.toStdString();
    EXPECT_EQ(t.table, QStringLiteral("t"));
}

TEST(ServerTable, MissingTablesWrongShapesAndAbsentServersAreNamed) {
    QString err;
    const QString missing = uniqueTableName(QStringLiteral("chybi"));
    EXPECT_FALSE(openAnyTable(testServerUri(missing), &err));
    EXPECT_TRUE(err.contains(QStringLiteral("tabulka neexistuje"))) << err.toStdString();
    EXPECT_TRUE(err.contains(missing)) << err.toStdString();
    EXPECT_TRUE(err.startsWith(QStringLiteral("Server "))) << err.toStdString();

    struct Shape {
        const char* columns;
        const char* said;
    };
    const Shape shapes[] = {
        {"cislo int", "chybí pole nazev1"},
        {"cislo int, nazev1 text", "pole nazev1 má typ text"},
    };
    for (const Shape& s : shapes) {
        const QString table = uniqueTableName(QStringLiteral("tvar"));
        ASSERT_TRUE(admin(QStringLiteral("CREATE TABLE %1 (%2)")
                              .arg(pgIdentifier(table), QString::fromLatin1(s.columns)))
                        .ok());
        EXPECT_FALSE(openAnyTable(testServerUri(table), &err));
        EXPECT_TRUE(err.contains(QString::fromUtf8(s.said))) << err.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("není tabulka etiket"))) << err.toStdString();
    }
    // A label table whose key is not unique.
    const QString noKey = uniqueTableName(QStringLiteral("bezklice"));
    ASSERT_TRUE(createServerLabelTable(testServerTarget(noKey), false, &err)) << err.toStdString();
    ASSERT_TRUE(admin(QStringLiteral("ALTER TABLE %1 DROP CONSTRAINT %2")
                          .arg(pgIdentifier(noKey), pgIdentifier(noKey + QStringLiteral("_pkey"))))
                    .ok());
    EXPECT_FALSE(openAnyTable(testServerUri(noKey), &err));
    EXPECT_TRUE(err.contains(QStringLiteral("jedinečný klíč"))) << err.toStdString();

    // Creating over an existing table needs replace.
    EXPECT_FALSE(createServerLabelTable(testServerTarget(noKey), false, &err));
    EXPECT_TRUE(err.contains(QStringLiteral("--replace"))) << err.toStdString();
    EXPECT_TRUE(createServerLabelTable(testServerTarget(noKey), true, &err)) << err.toStdString();
    EXPECT_TRUE(openAnyTable(testServerUri(noKey), &err)) << err.toStdString();

    // No server behind the socket folder.
    EXPECT_FALSE(
        openAnyTable(QStringLiteral("postgresql:///postgres?host=/nonexistent&table=t"), &err));
    EXPECT_TRUE(err.contains(QStringLiteral("se nelze připojit"))) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("/nonexistent"))) << err.toStdString();
}

TEST(ServerTable, ADroppedConnectionFailsTheEditAndTheNextActionReconnects) {
    QString uri;
    auto ds = createAndOpen(uniqueTableName(QStringLiteral("spojeni")), &uri);
    ASSERT_TRUE(ds);
    QString err;
    ASSERT_TRUE(addRecord(*ds, 1, QStringLiteral("Před"), &err)) << err.toStdString();
    auto* store = dynamic_cast<PgTableStore*>(ds->store());
    ASSERT_TRUE(store);
    ASSERT_TRUE(ds->edit(&err));
    ds->findField(QStringLiteral("nazev1"))->setText(QStringLiteral("Během"));
    // The server ends the clerk's session (a restart looks the same to the client).
    ASSERT_TRUE(admin(QStringLiteral("SELECT pg_terminate_backend($1::int)"),
                      {store->connection().backendPid()})
                    .ok());
    QThread::msleep(100);
    EXPECT_FALSE(ds->post(&err));
    EXPECT_TRUE(err.contains(QStringLiteral("spojení se serverem bylo přerušeno")))
        << err.toStdString();
    EXPECT_TRUE(err.contains(store->target().table)) << err.toStdString();
    // Nothing half written; the clerk's edit is still there to post again.
    EXPECT_EQ(ds->state(), DataSet::State::Edit);
    EXPECT_EQ(
        admin(QStringLiteral("SELECT nazev1 FROM %1").arg(pgIdentifier(store->target().table)))
            .text(0, 0),
        QStringLiteral("Před"));
    ASSERT_TRUE(ds->post(&err)) << err.toStdString();
    EXPECT_EQ(
        admin(QStringLiteral("SELECT nazev1 FROM %1").arg(pgIdentifier(store->target().table)))
            .text(0, 0),
        QStringLiteral("Během"));
}

TEST(ServerTable, AnotherClerksInsertArrivesByNotification) {
    QString uri;
    auto a = createAndOpen(uniqueTableName(QStringLiteral("zprava")), &uri);
    ASSERT_TRUE(a);
    QString err;
    auto b = openAnyTable(uri, &err);
    ASSERT_TRUE(b) << err.toStdString();
    EXPECT_FALSE(b->store()->changedElsewhere());
    ASSERT_TRUE(addRecord(*a, 7, QStringLiteral("Od A"), &err)) << err.toStdString();
    // Own changes are not news to oneself.
    EXPECT_FALSE(a->store()->changedElsewhere());
    QElapsedTimer t;
    t.start();
    bool told = false;
    while (!told && t.elapsed() < 2000) {
        told = b->store()->changedElsewhere();
        if (!told) QThread::msleep(10);
    }
    ASSERT_TRUE(told);
    ASSERT_TRUE(b->refresh(&err)) << err.toStdString();
    ASSERT_EQ(b->recordCount(), 1);
    EXPECT_EQ(b->findField(QStringLiteral("nazev1"))->value().asText(), QStringLiteral("Od A"));
}

}  // namespace

namespace {

// Asks to stop once the query has run for a while.
class StopAfter : public Progress {
public:
    explicit StopAfter(int ms) : ms_(ms) { timer_.start(); }
    void step(int, int, const QString&) override {}
    bool cancelled() override { return timer_.elapsed() > ms_; }

private:
    int ms_;
    QElapsedTimer timer_;
};

TEST(ServerQuery, ReadsOnlyEndsInTimeAndCanBeCancelled) {
    QString uri;
    const QString table = uniqueTableName(QStringLiteral("dotaz"));
    auto ds = createAndOpen(table, &uri);
    ASSERT_TRUE(ds);
    QString err;
    ASSERT_TRUE(addRecord(*ds, 2, QStringLiteral("Beta"), &err)) << err.toStdString();
    ASSERT_TRUE(addRecord(*ds, 1, QStringLiteral("Čaj"), &err)) << err.toStdString();
    const PgTarget target = testServerTarget(table);
    const QString t = pgIdentifier(table);

    auto result = runServerQuery(
        target, QStringLiteral("SELECT cislo, nazev1 FROM %1 T1 ORDER BY nazev1 DESC").arg(t), {},
        &err);
    ASSERT_TRUE(result) << err.toStdString();
    ASSERT_EQ(result->recordCount(), 2);
    EXPECT_EQ(result->findField(QStringLiteral("nazev1"))->value().asText(), QStringLiteral("Čaj"));
    EXPECT_EQ(result->findField(QStringLiteral("nazev1"))->size(), 40);
    EXPECT_EQ(result->findField(QStringLiteral("cislo"))->dataType(), FieldType::Integer);
    EXPECT_TRUE(result->findField(QStringLiteral("Calc")));

    struct Refused {
        QString sql;
        const char* said;
    };
    const Refused refused[] = {
        {QStringLiteral("DELETE FROM %1 RETURNING cislo").arg(t), "smí jen číst"},
        {QStringLiteral("WITH x AS (UPDATE %1 SET nazev1 = 'x' RETURNING 1) SELECT * FROM x")
             .arg(t),
         "smí jen číst"},
        {QStringLiteral("SELECT 1; DELETE FROM %1").arg(t), "Server"},
        {QStringLiteral("SET TRANSACTION READ WRITE; DELETE FROM %1").arg(t), "Server"},
        {QStringLiteral("SELECT * FROM %1 T1 JOIN \"data/etikety.db\" T2 ON T1.cislo = T2.cislo")
             .arg(t),
         "místním souborem data/etikety.db"},
    };
    for (const Refused& r : refused) {
        EXPECT_FALSE(runServerQuery(target, r.sql, {}, &err)) << r.sql.toStdString();
        EXPECT_TRUE(err.contains(QString::fromUtf8(r.said))) << err.toStdString();
    }
    EXPECT_EQ(
        admin(QStringLiteral("SELECT count(*) FROM %1 WHERE nazev1 <> 'x'").arg(t)).text(0, 0),
        QStringLiteral("2"));

    ServerQueryOptions quick;
    quick.timeoutMs = 300;
    EXPECT_FALSE(runServerQuery(target, QStringLiteral("SELECT pg_sleep(20)"), quick, &err));
    EXPECT_TRUE(err.contains(QStringLiteral("ukončen"))) << err.toStdString();

    StopAfter stop(200);
    ServerQueryOptions cancellable;
    cancellable.progress = &stop;
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(runServerQuery(target, QStringLiteral("SELECT pg_sleep(20)"), cancellable, &err));
    EXPECT_TRUE(err.contains(kQueryCancelledText)) << err.toStdString();
    EXPECT_LT(timer.elapsed(), 10000);
}

}  // namespace

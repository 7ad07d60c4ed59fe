// The session over label tables on the tests' PostgreSQL server: creating a
// table from "Založit soubor" and running the query builder's statements on
// the server.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "app/core/label_session.h"
#include "base/progress.h"
#include "data/label_file.h"
#include "data/pg_table.h"
#include "data/server/test_server.h"
#include "support/cancel_after.h"
#include "support/label_files.h"
#include "support/scripted_messages.h"

namespace dorvana {
namespace {

using test::testServerUri;
using test::uniqueTableName;

class ServerSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        start_ = dir_.filePath(QStringLiteral("start"));
        QDir().mkpath(start_ + QStringLiteral("/data"));
        session_ = std::make_unique<LabelSession>(
            start_, dir_.filePath(QStringLiteral("dorvana.ini")), messages_);
    }

    QTemporaryDir dir_;
    QString start_;
    test::ScriptedMessages messages_;
    std::unique_ptr<LabelSession> session_;
};

// "Založit soubor" on a server makes an empty label table there and shows
// it; a table of that name already on the server is refused and kept, and so
// is a server that cannot be reached, the window keeping what it showed.
TEST_F(ServerSessionTest, CreatingATableOnTheServerOpensItAndNeverReplacesOne) {
    const QString table = uniqueTableName(QStringLiteral("novy"));
    const QString uri = testServerUri(table);
    ASSERT_TRUE(session_->createServerTable(uri)) << messages_.shown.join(u'\n').toStdString();
    EXPECT_EQ(session_->tablePath(), uri);
    EXPECT_TRUE(session_->caption().contains(table + QStringLiteral(" na serveru")))
        << session_->caption().toStdString();
    ASSERT_NE(session_->dataSet(), nullptr);
    EXPECT_EQ(session_->dataSet()->recordCount(), 0);
    EXPECT_FALSE(session_->externalMode());
    EXPECT_TRUE(session_->recentFiles().entries().join(u'\n').contains(uri));

    const QString kept = test::serverLabelTable(QStringLiteral("stary"), 3);
    messages_.shown.clear();
    EXPECT_FALSE(session_->createServerTable(kept));
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown[0].startsWith(QStringLiteral("error: Server ")));
    EXPECT_TRUE(messages_.shown[0].contains(kept.section(u'=', -1) +
                                            QStringLiteral(": tabulka už existuje")))
        << messages_.shown[0].toStdString();
    QString err;
    auto store = PgTableStore::open(kept, &err);
    ASSERT_TRUE(store) << err.toStdString();
    EXPECT_EQ(store->rowCount(), 3);
    EXPECT_EQ(session_->tablePath(), uri);  // the new table stays shown

    messages_.shown.clear();
    const QString nowhere = serverTableUri(dir_.filePath(QStringLiteral("zadny-server")), 0,
                                           QStringLiteral("postgres"), QStringLiteral("postgres"),
                                           QStringLiteral("jinde"));
    EXPECT_FALSE(session_->createServerTable(nowhere));
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown[0].contains(QStringLiteral("zadny-server")) &&
                messages_.shown[0].contains(QStringLiteral("jinde")))
        << messages_.shown[0].toStdString();
    EXPECT_EQ(session_->tablePath(), uri);
}

// The builder's statement over a server table (made or typed by hand) runs
// on the server; joining it with a local file is refused either way round,
// and a long statement ends at the progress window's "Přeruš". A refused or
// cancelled query leaves the former result shown.
TEST_F(ServerSessionTest, QueriesOverAServerTableRunOnTheServerAndNeverJoinLocalFiles) {
    const QString uri = test::serverLabelTable(QStringLiteral("dotaz"), 30);
    const QString table = uri.section(u'=', -1);
    int made = 0;
    session_->setProgressSource([&made] { return std::make_unique<test::CancelAfterPolls>(3, &made); });

    const QueryRequest made1{{QStringLiteral("SELECT T1.cislo, T1.nazev1"), QStringLiteral("FROM "),
                              QStringLiteral("\"%1\" T1").arg(uri),
                              QStringLiteral("WHERE T1.cislo > 20")},
                             false,
                             {uri}};
    ASSERT_TRUE(session_->openQuery(made1)) << messages_.shown.join(u'\n').toStdString();
    EXPECT_EQ(session_->dataSet()->recordCount(), 10);
    EXPECT_TRUE(session_->queryMode());

    const QueryRequest byHand{{QStringLiteral("SELECT cislo, nazev1"), QStringLiteral("FROM "),
                               QStringLiteral("\"%1\"").arg(table),
                               QStringLiteral("ORDER BY cislo DESC")},
                              true,
                              {uri}};
    ASSERT_TRUE(session_->openQuery(byHand)) << messages_.shown.join(u'\n').toStdString();
    ASSERT_EQ(session_->dataSet()->recordCount(), 30);
    session_->dataSet()->first();
    EXPECT_EQ(session_->dataSet()->findField(QStringLiteral("nazev1"))->displayText(),
              QStringLiteral("Věc 30"));

    const QString local = test::writeNumberedLabelFile(start_ + QStringLiteral("/data/mistni.db"), 2);
    struct Join {
        const char* name;
        QueryRequest request;
        const char* message;
    };
    const Join joins[] = {
        {"server first",
         {{QStringLiteral("SELECT T1.cislo FROM \"%1\" T1 INNER JOIN \"%2\" T2 ON T1.cislo = T2.cislo")
               .arg(uri, local)},
          false,
          {uri, local}},
         "s místním souborem"},
        {"file first",
         {{QStringLiteral("SELECT T1.cislo FROM \"%1\" T1 INNER JOIN \"%2\" T2 ON T1.cislo = T2.cislo")
               .arg(local, uri)},
          false,
          {local, uri}},
         "s místními soubory"},
    };
    for (const Join& j : joins) {
        SCOPED_TRACE(j.name);
        messages_.shown.clear();
        EXPECT_FALSE(session_->openQuery(j.request));
        ASSERT_EQ(messages_.shown.size(), 1);
        EXPECT_TRUE(messages_.shown[0].contains(QString::fromUtf8(j.message)))
            << messages_.shown[0].toStdString();
        EXPECT_EQ(session_->dataSet()->recordCount(), 30);
    }

    messages_.shown.clear();
    made = 0;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(session_->openQuery(
        {{QStringLiteral("SELECT cislo, pg_sleep(60) FROM \"%1\"").arg(table)}, true, {uri}}));
    EXPECT_LT(clock.elapsed(), 30000);
    EXPECT_EQ(made, 1);
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown[0].contains(QStringLiteral("Dotaz byl přerušen")))
        << messages_.shown[0].toStdString();
    EXPECT_EQ(session_->dataSet()->recordCount(), 30);
}

}  // namespace
}  // namespace dorvana

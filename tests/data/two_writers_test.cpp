// Two clerks on one label table: a write never lands over a change the
// writer has not seen, and a grid shows the other's changes when it reads.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include "data/label_file.h"
#include "data/table_open.h"
#ifdef DORVANA_ON_SERVER
#include "data/pg_table.h"
#include "data/server/test_server.h"
#endif

using namespace dorvana;

// The suite's name tells the two runs apart.
#ifdef DORVANA_ON_SERVER
#define TWO_WRITERS TwoClerksOnOneServerTable
#else
#define TWO_WRITERS TwoWritersOnOneLabelFile
#endif

namespace {

class TWO_WRITERS : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        QString err;
#ifdef DORVANA_ON_SERVER
        // Two clerks on one server table.
        path_ = test::testServerUri(test::uniqueTableName(QStringLiteral("dva")));
        ASSERT_TRUE(
            createServerLabelTable(test::testServerTarget(path_.section(u'=', -1)), false, &err))
            << err.toStdString();
#else
        path_ = dir_.filePath(QStringLiteral("etikety.db"));
        ASSERT_TRUE(createLabelFile(path_, &err)) << err.toStdString();
#endif
        auto ds = open();
        for (int n : {1, 2, 3}) {
            ASSERT_TRUE(ds->append(&err));
            ds->findField(QStringLiteral("cislo"))->setValue(TaggedValue::integer(n));
            ds->findField(QStringLiteral("nazev1"))->setText(QStringLiteral("Název %1").arg(n));
            ds->findField(QStringLiteral("nazev2"))->setText(QStringLiteral("Druhý %1").arg(n));
            ASSERT_TRUE(ds->post(&err)) << err.toStdString();
        }
        a_ = open();
        b_ = open();
        ASSERT_TRUE(a_ && b_);
    }

    std::unique_ptr<DataSet> open() {
        QString err;
        auto ds = openAnyTable(path_, &err);
        EXPECT_TRUE(ds) << err.toStdString();
        return ds;
    }

    static QString text(DataSet& ds, const char* field) {
        return ds.findField(QString::fromLatin1(field))->value().asText();
    }
    static qint64 key(DataSet& ds) {
        return ds.findField(QStringLiteral("cislo"))->value().asInteger();
    }

    // Edits one field of the current record and posts it.
    static bool write(DataSet& ds, const char* field, const QString& value, QString* err) {
        if (!ds.edit(err)) return false;
        if (!ds.findField(QString::fromLatin1(field))->setText(value, err)) return false;
        return ds.post(err);
    }

    // The stored records as key: nazev1 / nazev2, read afresh.
    QStringList stored() {
        auto ds = open();
        QStringList out;
        for (ds->first(); !ds->atEnd(); ds->next())
            out << QStringLiteral("%1: %2 / %3")
                       .arg(key(*ds))
                       .arg(text(*ds, "nazev1"), text(*ds, "nazev2"));
        return out;
    }

    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<DataSet> a_, b_;
};

TEST_F(TWO_WRITERS, AStaleEditIsRefusedAndTheOtherChangeKept) {
    a_->setRecNo(2);
    b_->setRecNo(2);
    QString err;
    ASSERT_TRUE(write(*a_, "nazev1", QStringLiteral("Od A"), &err)) << err.toStdString();
    // B read record 2 before A's post: its post must not write A's old nazev1 back.
    EXPECT_FALSE(write(*b_, "nazev2", QStringLiteral("Od B"), &err));
    EXPECT_TRUE(err.startsWith(QStringLiteral("Záznam mezitím změnil jiný uživatel")))
        << err.toStdString();
    // B now shows the record as stored, out of edit.
    EXPECT_EQ(b_->state(), DataSet::State::Browse);
    EXPECT_EQ(key(*b_), 2);
    EXPECT_EQ(text(*b_, "nazev1"), QStringLiteral("Od A"));
    EXPECT_EQ(text(*b_, "nazev2"), QStringLiteral("Druhý 2"));
    EXPECT_EQ(stored(),
              QStringList({"1: Název 1 / Druhý 1", "2: Od A / Druhý 2", "3: Název 3 / Druhý 3"}));
    // Having seen A's change, B may write its own.
    ASSERT_TRUE(write(*b_, "nazev2", QStringLiteral("Od B"), &err)) << err.toStdString();
    EXPECT_EQ(stored()[1], QStringLiteral("2: Od A / Od B"));
    // A's copy is now the stale one; its own edits are refused in turn.
    EXPECT_FALSE(write(*a_, "nazev1", QStringLiteral("Znovu A"), &err));
    EXPECT_EQ(stored()[1], QStringLiteral("2: Od A / Od B"));
}

TEST_F(TWO_WRITERS, ARecordDeletedElsewhereIsReportedNotRevived) {
    a_->setRecNo(2);
    b_->setRecNo(2);
    QString err;
    ASSERT_TRUE(a_->deleteRecord(&err)) << err.toStdString();
    EXPECT_FALSE(write(*b_, "nazev1", QStringLiteral("Od B"), &err));
    EXPECT_TRUE(err.startsWith(QStringLiteral("Záznam byl mezitím vymazán"))) << err.toStdString();
    EXPECT_EQ(b_->state(), DataSet::State::Browse);
    EXPECT_EQ(b_->recordCount(), 2);
    EXPECT_EQ(stored(), QStringList({"1: Název 1 / Druhý 1", "3: Název 3 / Druhý 3"}));

    // Deleting a record the other changed, or one it deleted, is refused and said.
    a_->setRecNo(1);
    b_->setRecNo(1);
    ASSERT_TRUE(write(*a_, "nazev1", QStringLiteral("Od A"), &err)) << err.toStdString();
    EXPECT_FALSE(b_->deleteRecord(&err));
    EXPECT_TRUE(err.startsWith(QStringLiteral("Záznam mezitím změnil jiný uživatel")))
        << err.toStdString();
    a_->last();
    b_->last();
    ASSERT_TRUE(a_->deleteRecord(&err)) << err.toStdString();
    EXPECT_FALSE(b_->deleteRecord(&err));
    EXPECT_TRUE(err.startsWith(QStringLiteral("Záznam byl mezitím vymazán"))) << err.toStdString();
    EXPECT_EQ(stored(), QStringList({"1: Od A / Druhý 1"}));
    EXPECT_EQ(b_->recordCount(), 1);
}

TEST_F(TWO_WRITERS, TheGridReadsTheOtherWritersChange) {
    RawRecord row;
    ASSERT_TRUE(b_->peekRecord(2, &row));
    EXPECT_EQ(row[1].toString(), QStringLiteral("Název 3"));
    b_->setRecNo(3);
    a_->setRecNo(3);
    QString err;
    ASSERT_TRUE(write(*a_, "nazev1", QStringLiteral("Od A"), &err)) << err.toStdString();
    // A server's notification may take a moment; a file's change is seen at once.
    QElapsedTimer t;
    t.start();
    do {
        ASSERT_TRUE(b_->peekRecord(2, &row));
        if (row[1].toString() != u"Od A") QThread::msleep(10);
    } while (row[1].toString() != u"Od A" && t.elapsed() < 2000);
    EXPECT_EQ(row[1].toString(), QStringLiteral("Od A"));
    // The current record follows what the grid shows, so B edits what it sees.
    EXPECT_EQ(text(*b_, "nazev1"), QStringLiteral("Od A"));
    ASSERT_TRUE(write(*b_, "nazev2", QStringLiteral("Od B"), &err)) << err.toStdString();
    EXPECT_EQ(stored()[2], QStringLiteral("3: Od A / Od B"));
}

}  // namespace

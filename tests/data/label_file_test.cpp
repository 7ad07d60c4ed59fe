// Label files: schema, key rules, and what survives a writer that is killed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <random>
#include <set>

#include "data/label_file.h"
#include "data/sqlite_db.h"
#include "data/table_open.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

class LabelFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("etikety.db"));
        QString err;
        ASSERT_TRUE(createLabelFile(path_, &err)) << err.toStdString();
    }

    void addNumbers(DataSet& ds, std::initializer_list<int> numbers) {
        for (int n : numbers) {
            QString err;
            ASSERT_TRUE(ds.append(&err));
            ds.findField(QStringLiteral("cislo"))->setValue(TaggedValue::integer(n));
            ds.findField(QStringLiteral("nazev1"))->setText(QStringLiteral("Položka %1").arg(n));
            ASSERT_TRUE(ds.post(&err)) << err.toStdString();
        }
    }

    QTemporaryDir dir_;
    QString path_;
};

TEST_F(LabelFileTest, StoresSixteenFieldsAndAddsCalcOnReading) {
    SqliteDb db;
    ASSERT_TRUE(db.open(path_, SqliteDb::Mode::ReadOnly));
    SqliteStatement st;
    ASSERT_TRUE(st.prepare(db, QStringLiteral("PRAGMA table_info(etikety)")));
    QStringList names;
    while (st.step() == SqliteStatement::Step::Row) names << st.text(1);
    EXPECT_EQ(names.size(), 16);
    EXPECT_FALSE(names.contains(QStringLiteral("calc")));

    QString err;
    auto ds = openLabelDataSet(path_, &err);
    ASSERT_TRUE(ds) << err.toStdString();
    ASSERT_EQ(ds->fieldCount(), 17);
    EXPECT_EQ(ds->field(16)->name(), QStringLiteral("calc"));
    EXPECT_TRUE(ds->field(16)->isCalculated());
    const FieldDefs& want = labelRecordFields();
    for (int i = 0; i < 16; ++i) EXPECT_EQ(ds->field(i)->def().type, want[i].type) << i;
    EXPECT_EQ(ds->field(13)->dataType(), FieldType::Graphic);
    EXPECT_EQ(ds->field(14)->dataType(), FieldType::Memo);
}

TEST_F(LabelFileTest, DuplicateKeysAreRefusedAndFindKeyMovesToTheRecord) {
    QString err;
    auto ds = openLabelDataSet(path_, &err);
    ASSERT_TRUE(ds);
    addNumbers(*ds, {10, 20, 30});

    ASSERT_TRUE(ds->append(&err));
    ds->findField(QStringLiteral("cislo"))->setValue(TaggedValue::integer(20));
    EXPECT_FALSE(ds->post(&err));
    EXPECT_TRUE(err.contains(QStringLiteral("Duplicitní klíč"))) << err.toStdString();
    ds->cancel();
    EXPECT_EQ(ds->recordCount(), 3);

    // Changing a key to one that exists fails too; to a free one moves the record.
    ASSERT_TRUE(ds->findKey(TaggedValue::integer(30)));
    EXPECT_EQ(ds->recNo(), 3);
    ASSERT_TRUE(ds->edit(&err));
    ds->findField(QStringLiteral("cislo"))->setValue(TaggedValue::integer(10));
    EXPECT_FALSE(ds->post(&err));
    ds->findField(QStringLiteral("cislo"))->setValue(TaggedValue::integer(5));
    ASSERT_TRUE(ds->post(&err)) << err.toStdString();
    EXPECT_EQ(ds->recNo(), 1);
    EXPECT_EQ(ds->findField(QStringLiteral("nazev1"))->displayText(), QStringLiteral("Položka 30"));

    EXPECT_FALSE(ds->findKey(TaggedValue::integer(30)));
    EXPECT_EQ(ds->recNo(), 1);  // a failed lookup does not move
    EXPECT_TRUE(ds->findKey(TaggedValue::integer(20)));
    EXPECT_EQ(ds->recNo(), 3);

    // A record without its number is refused.
    ASSERT_TRUE(ds->append(&err));
    EXPECT_FALSE(ds->post(&err));
    EXPECT_TRUE(err.contains(QStringLiteral("cislo"))) << err.toStdString();
}

TEST_F(LabelFileTest, CreateReplacesAnExistingFile) {
    {
        auto ds = openLabelDataSet(path_, nullptr);
        ASSERT_TRUE(ds);
        addNumbers(*ds, {1, 2});
    }
    QString err;
    ASSERT_TRUE(createLabelFile(path_, &err)) << err.toStdString();
    auto ds = openLabelDataSet(path_, &err);
    ASSERT_TRUE(ds);
    EXPECT_EQ(ds->recordCount(), 0);
}

TEST_F(LabelFileTest, OtherFilesAreNotLabelFilesButOpenAsForeignTables) {
    const QString other = dir_.filePath(QStringLiteral("jina.db"));
    {
        SqliteDb db;
        ASSERT_TRUE(db.open(other, SqliteDb::Mode::Create));
        ASSERT_TRUE(
            db.exec(QStringLiteral("CREATE TABLE zbozi(kod INTEGER PRIMARY KEY, nazev VARCHAR(30));"
                                   "INSERT INTO zbozi VALUES (7, 'Čaj'), (3, 'Káva');")));
    }
    QString err;
    EXPECT_FALSE(LabelFileStore::open(other, &err));
    EXPECT_TRUE(err.contains(QStringLiteral("není soubor etiket"))) << err.toStdString();
    EXPECT_EQ(detectTableKind(other), TableKind::Sqlite);
    auto ds = openAnyTable(other, &err);
    ASSERT_TRUE(ds) << err.toStdString();
    EXPECT_EQ(ds->fieldCount(), 3);
    EXPECT_EQ(ds->field(2)->name(), QStringLiteral("Calc"));
    ds->first();
    EXPECT_EQ(ds->findField(QStringLiteral("nazev"))->displayText(), QStringLiteral("Káva"));
    EXPECT_TRUE(ds->findKey(TaggedValue::integer(7)));

    // A label file with a changed column is not a label file either.
    {
        SqliteDb db;
        ASSERT_TRUE(db.open(path_, SqliteDb::Mode::ReadWrite));
        ASSERT_TRUE(db.exec(QStringLiteral("ALTER TABLE etikety RENAME COLUMN popis4 TO popis5")));
    }
    EXPECT_FALSE(LabelFileStore::open(path_, &err));
    EXPECT_TRUE(err.contains(QStringLiteral("popis4"))) << err.toStdString();

    ASSERT_TRUE(test::writeBytes(dir_.filePath(QStringLiteral("smeti.db")),
                                 QByteArray("SQLite format 3\0", 16) + QByteArray(600, 'x')));
    EXPECT_FALSE(LabelFileStore::open(dir_.filePath(QStringLiteral("smeti.db")), &err));
    EXPECT_FALSE(err.isEmpty());
    EXPECT_FALSE(LabelFileStore::open(dir_.filePath(QStringLiteral("neni.db")), &err));
    EXPECT_TRUE(err.contains(QStringLiteral("neexistuje"))) << err.toStdString();
}

// A writer process posts records and reports each committed number through a
// pipe; it is killed at a random moment. The file must open afterwards with
// every reported record.
TEST_F(LabelFileTest, EveryCommittedRecordSurvivesAKilledWriter) {
    std::mt19937 rng(12345);
    std::set<qint64> acknowledged;
    qint64 nextKey = 1;
    for (int round = 0; round < 6; ++round) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(fds[0]);
            auto store = LabelFileStore::open(path_, nullptr);
            if (!store) _exit(2);
            for (qint64 key = nextKey;; ++key) {
                RawRecord r(16);
                r[0] = QVariant::fromValue<qint64>(key);
                r[1] = QStringLiteral("Záznam %1").arg(key);
                r[14] = QString(500, QChar(u'ř'));
                qint64 row = 0;
                if (!store->insertRow(r, &row, nullptr)) _exit(3);
                if (write(fds[1], &key, sizeof key) != sizeof key) _exit(4);
            }
        }
        close(fds[1]);
        const int wanted = 20 + int(rng() % 60);
        qint64 key = 0;
        int got = 0;
        while (got < wanted && read(fds[0], &key, sizeof key) == sizeof key) {
            acknowledged.insert(key);
            ++got;
        }
        usleep(rng() % 3000);
        kill(pid, SIGKILL);
        // Numbers written before the kill but not yet read still count.
        while (read(fds[0], &key, sizeof key) == sizeof key) acknowledged.insert(key);
        close(fds[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "writer ended on its own, status " << status;

        QString err;
        auto ds = openLabelDataSet(path_, &err);
        ASSERT_TRUE(ds) << "round " << round << ": " << err.toStdString();
        std::set<qint64> present;
        for (ds->first(); !ds->atEnd(); ds->next())
            present.insert(ds->findField(QStringLiteral("cislo"))->value().asInteger());
        for (qint64 k : acknowledged) ASSERT_TRUE(present.count(k)) << "record " << k << " lost";
        // At most the one record being written when the kill came is there unreported.
        EXPECT_LE(present.size(), acknowledged.size() + 1);
        acknowledged = present;
        nextKey = *present.rbegin() + 1;
    }
}

}  // namespace

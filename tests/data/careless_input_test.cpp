// What careless input must never do to the user's files: an import that
// replaces what it should not, an export over its own source, a CSV file in
// another encoding read as replacement characters.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "base/code_page.h"
#include "data/csv_file.h"
#include "data/label_file.h"
#include "data/label_import.h"
#include "data/sqlite_db.h"
#include "data/table_open.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

class CarelessInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        source_ = write("zbozi.csv", "cislo;nazev1\r\n1;Čaj\r\n2;Káva\r\n");
    }
    QString write(const char* name, const QByteArray& bytes) {
        const QString p = dir_.filePath(QString::fromUtf8(name));
        EXPECT_TRUE(test::writeBytes(p, bytes));
        return p;
    }
    // A label file with one record.
    QString labelFile(const char* name) {
        const QString p = dir_.filePath(QString::fromUtf8(name));
        QString err;
        EXPECT_TRUE(createLabelFile(p, &err)) << err.toStdString();
        auto store = LabelFileStore::open(p, &err);
        RawRecord r(16);
        r[0] = QVariant::fromValue<qint64>(7);
        EXPECT_TRUE(store && store->insertMany({r}, &err)) << err.toStdString();
        return p;
    }
    QStringList entries() const {
        return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QTemporaryDir dir_;
    QString source_;
};

TEST_F(CarelessInput, ImportReplacesOnlyALabelFileItMayWriteAndWhenAskedTo) {
    ImportOptions replace;
    replace.replace = true;
    const QString labels = labelFile("etikety.db");
    const QString readOnly = labelFile("jenctení.db");
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup));
    const struct {
        QString dest;
        bool replace;
        const char* fragment;
        bool refusedExisting;
    } cases[] = {
        {labels, false, "už existuje", true},
        {write("tabulka.csv", "a,b\r\n1,2\r\n"), true, "není soubor etiket", false},
        {write("poznamky.txt", "nic\n"), true, "není soubor etiket", false},
        {readOnly, true, "jen pro čtení", false},
        {dir_.path(), true, "je složka", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dest.toStdString());
        const QByteArray before = test::fileBytes(c.dest);
        const auto mode = QFile::permissions(c.dest);
        ImportResult res;
        QString err;
        ImportOptions options;
        options.replace = c.replace;
        EXPECT_FALSE(importToLabelFile(source_, c.dest, &res, &err, options));
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.fragment))) << err.toStdString();
        EXPECT_EQ(res.refusedExisting, c.refusedExisting);
        EXPECT_EQ(test::fileBytes(c.dest), before);
        EXPECT_EQ(QFile::permissions(c.dest), mode);
    }
    // Asked to, it replaces a label file and keeps the file's permissions.
    ASSERT_TRUE(QFile::setPermissions(labels, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const auto mode = QFile::permissions(labels);
    const QStringList filesBefore = entries();
    ImportResult res;
    QString err;
    ASSERT_TRUE(importToLabelFile(source_, labels, &res, &err, replace)) << err.toStdString();
    EXPECT_EQ(res.records, 2);
    EXPECT_EQ(QFile::permissions(labels), mode);
    EXPECT_EQ(entries(), filesBefore);  // no temporary file left behind
}

TEST_F(CarelessInput, ImportLeavesAFileAnotherProgramIsWritingAlone) {
    ImportOptions replace;
    replace.replace = true;
    const QString labels = labelFile("etikety.db");
    // Another program in the middle of a transaction: it holds the lock and
    // its journal lies beside the file.
    SqliteDb other;
    QString err;
    ASSERT_TRUE(other.open(labels, SqliteDb::Mode::ReadWrite, &err)) << err.toStdString();
    ASSERT_TRUE(other.exec(QStringLiteral("BEGIN IMMEDIATE; INSERT INTO etikety(cislo) VALUES (8)"),
                           &err))
        << err.toStdString();
    ASSERT_TRUE(QFileInfo::exists(labels + QStringLiteral("-journal")));
    const QByteArray journal = test::fileBytes(labels + QStringLiteral("-journal"));
    sqlite3_busy_timeout(other.handle(), 0);
    ImportResult res;
    EXPECT_FALSE(importToLabelFile(source_, labels, &res, &err, replace));
    EXPECT_TRUE(err.contains(QStringLiteral("jiný program"))) << err.toStdString();
    EXPECT_EQ(test::fileBytes(labels + QStringLiteral("-journal")), journal);
    // Its transaction still commits into the same file.
    ASSERT_TRUE(other.exec(QStringLiteral("COMMIT"), &err)) << err.toStdString();
    other.close();
    auto ds = openAnyTable(labels, &err);
    ASSERT_TRUE(ds) << err.toStdString();
    EXPECT_EQ(ds->recordCount(), 2);
}

TEST_F(CarelessInput, ImportRefusesASourceNoFieldOfWhichMatchesAndItsOwnFile) {
    const QString other = write("jine.csv", "jmeno;vek\r\nPetr;40\r\n");
    const QString dest = dir_.filePath(QStringLiteral("nove.db"));
    ImportResult res;
    QString err;
    EXPECT_FALSE(importToLabelFile(other, dest, &res, &err));
    EXPECT_TRUE(err.contains(QStringLiteral("Žádné pole"))) << err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dest));

    const QString labels = labelFile("etikety.db");
    const QByteArray before = test::fileBytes(labels);
    ImportOptions replace;
    replace.replace = true;
    EXPECT_FALSE(importToLabelFile(labels, dir_.path() + QStringLiteral("/./etikety.db"), &res,
                                   &err, replace));
    EXPECT_EQ(test::fileBytes(labels), before);
}

TEST_F(CarelessInput, ExportNeverWritesOverItsOwnSource) {
    const QByteArray before = test::fileBytes(source_);
    const QString link = dir_.filePath(QStringLiteral("odkaz.csv"));
    ASSERT_TRUE(QFile::link(source_, link));
    QString err;
    auto ds = openAnyTable(source_, &err);
    ASSERT_TRUE(ds) << err.toStdString();
    for (const QString& out : {source_, dir_.path() + QStringLiteral("/./zbozi.csv"), link}) {
        EXPECT_FALSE(writeCsvFile(out, *ds, &err)) << out.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("zdrojové tabulky"))) << err.toStdString();
    }
    EXPECT_EQ(test::fileBytes(source_), before);
    // A label file's journal belongs to it too.
    const QString labels = labelFile("etikety.db");
    auto lds = openAnyTable(labels, &err);
    ASSERT_TRUE(lds) << err.toStdString();
    EXPECT_TRUE(writeCsvFile(dir_.filePath(QStringLiteral("etikety.csv")), *lds, &err))
        << err.toStdString();
    const QString journal = write("etikety.db-journal", "");
    EXPECT_FALSE(writeCsvFile(journal, *lds, &err));
}

TEST_F(CarelessInput, ACsvFileInWindows1250IsReadAsSuchAndSaysSo) {
    const QString p = write("cp1250.csv",
                            encode(u"cislo;nazev1\r\n1;Čaj zelený\r\n2;Žluťoučký kůň\r\n",
                                   CodePage::Windows1250));
    QString err;
    auto store = openTableStore(p, &err);
    ASSERT_TRUE(store) << err.toStdString();
    QList<RawRecord> rows;
    ASSERT_TRUE(store->readRows(0, 2, &rows, &err));
    EXPECT_EQ(rows[0][1].toString(), QStringLiteral("Čaj zelený"));
    EXPECT_EQ(rows[1][1].toString(), QStringLiteral("Žluťoučký kůň"));
    EXPECT_TRUE(store->readingNotice().contains(QStringLiteral("Windows-1250")));
    // Lines in UTF-8 would mix two encodings: the file is read-only.
    EXPECT_FALSE(store->canWrite(&err));
    // An import stores the real letters, never replacement characters.
    const QString dest = dir_.filePath(QStringLiteral("etikety.db"));
    ImportResult res;
    ASSERT_TRUE(importToLabelFile(p, dest, &res, &err)) << err.toStdString();
    EXPECT_FALSE(res.notice.isEmpty());
    auto ds = openAnyTable(dest, &err);
    ds->last();
    EXPECT_EQ(ds->findField(QStringLiteral("nazev1"))->displayText(),
              QStringLiteral("Žluťoučký kůň"));
    // A UTF-8 file has nothing to say.
    auto utf8 = openTableStore(source_, &err);
    ASSERT_TRUE(utf8);
    EXPECT_TRUE(utf8->readingNotice().isEmpty());
    EXPECT_TRUE(utf8->canWrite(&err));
}

TEST(Utf8Check, TellsWellFormedUtf8FromOtherBytes) {
    EXPECT_TRUE(isValidUtf8("Čaj žluťoučký 😀"));
    EXPECT_TRUE(isValidUtf8(""));
    for (const char* bad : {"\xC8" "aj", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "ab\xE2\x82"})
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
}

}  // namespace

// Queries over label files, dBase and CSV files, with macros, ORDER BY and joins.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "data/label_file.h"
#include "data/query.h"
#include "data/table_open.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

class QueryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        labels_ = dir_.filePath(QStringLiteral("tempprn.db"));
        QString err;
        ASSERT_TRUE(createLabelFile(labels_, &err)) << err.toStdString();
        auto store = LabelFileStore::open(labels_, &err);
        ASSERT_TRUE(store) << err.toStdString();
        QList<RawRecord> rows;
        const char* names[] = {"Čaj zelený", "Anýz", "Bobkový list", "Šafrán", "Žampiony"};
        for (int i = 0; i < 5; ++i) {
            RawRecord r(16);
            r[0] = QVariant::fromValue<qint64>((i * 7) % 5 + 1);  // 1, 3, 5, 2, 4
            r[1] = QString::fromUtf8(names[i]);
            r[6] = 10.5 * (i + 1);
            r[11] = QDate(2024, 1, 1 + i);
            rows << r;
        }
        ASSERT_TRUE(store->insertMany(rows, &err)) << err.toStdString();
        csv_ = dir_.filePath(QStringLiteral("sklad.csv"));
        ASSERT_TRUE(test::writeBytes(
            csv_, "cislo;sklad;mnozstvi\r\n1;Praha;10,5\r\n3;Brno;2\r\n4;Ostrava;7,25\r\n"));
    }

    QList<QString> column(DataSet& ds, const char* name) {
        QList<QString> out;
        Field* f = ds.findField(QString::fromLatin1(name));
        EXPECT_TRUE(f) << name;
        if (!f) return out;
        for (ds.first(); !ds.atEnd(); ds.next()) out << f->displayText();
        return out;
    }

    QTemporaryDir dir_;
    QString labels_, csv_;
};

TEST_F(QueryTest, TextsSortInCzechOrderInEveryKindOfFile) {
    // Code points would put "Chřest" before "Cibule" and "Čaj" after "Dýně".
    const char* names[] = {"Dýně", "Chřest", "Čaj", "Cibule", "Zelí"};
    const QList<QString> czech = {QStringLiteral("Cibule"), QStringLiteral("Čaj"),
                                  QStringLiteral("Dýně"), QStringLiteral("Chřest"),
                                  QStringLiteral("Zelí")};
    const QString labels = dir_.filePath(QStringLiteral("zelenina.db"));
    QString err;
    ASSERT_TRUE(createLabelFile(labels, &err)) << err.toStdString();
    auto store = LabelFileStore::open(labels, &err);
    ASSERT_TRUE(store) << err.toStdString();
    QList<RawRecord> rows;
    QByteArray csv = "cislo;nazev1\r\n";
    for (int i = 0; i < 5; ++i) {
        RawRecord r(16);
        r[0] = QVariant::fromValue<qint64>(i + 1);
        r[1] = QString::fromUtf8(names[i]);
        rows << r;
        csv += QByteArray::number(i + 1) + ';' + names[i] + "\r\n";
    }
    ASSERT_TRUE(store->insertMany(rows, &err)) << err.toStdString();
    store.reset();
    const QString csvPath = dir_.filePath(QStringLiteral("zelenina.csv"));
    ASSERT_TRUE(test::writeBytes(csvPath, csv));
    for (const QString& path : {labels, csvPath}) {
        Query q;
        q.setSql({QStringLiteral("SELECT T1.* FROM \"%1\" T1 ORDER BY nazev1").arg(path)});
        ASSERT_TRUE(q.open(&err)) << err.toStdString();
        EXPECT_EQ(column(*q.dataSet(), "nazev1"), czech) << path.toStdString();
        EXPECT_EQ(q.dataSet()->findField(QStringLiteral("nazev1"))->dataType(), FieldType::String);
    }
}

TEST_F(QueryTest, OrderMacroSortsTheLabelFileAscendingAndDescending) {
    Query q;
    q.setSql({QStringLiteral("SELECT T1.*"), QStringLiteral("FROM \"%1\" T1").arg(labels_),
              QStringLiteral("ORDER BY %ORDER")});
    struct Case {
        const char* order;
        QList<QString> cisla;
    } cases[] = {
        {"CISLO", {"1", "2", "3", "4", "5"}},
        {"cislo DESC", {"5", "4", "3", "2", "1"}},
        {"datum1 DESC, cislo", {"4", "2", "5", "3", "1"}},
    };
    for (const Case& c : cases) {
        q.setMacro(QStringLiteral("ORDER"), QString::fromLatin1(c.order));
        QString err;
        ASSERT_TRUE(q.open(&err)) << c.order << ": " << err.toStdString();
        EXPECT_EQ(column(*q.dataSet(), "cislo"), c.cisla) << c.order;
    }
    DataSet& ds = *q.dataSet();
    EXPECT_TRUE(ds.isReadOnly());
    QString err;
    EXPECT_FALSE(ds.edit(&err));
    EXPECT_FALSE(err.isEmpty());
    EXPECT_EQ(ds.findField(QStringLiteral("cena"))->dataType(), FieldType::Currency);
    EXPECT_EQ(ds.findField(QStringLiteral("nazev1"))->size(), 40);
    Field* calc = ds.field(ds.fieldCount() - 1);
    EXPECT_EQ(calc->name(), QStringLiteral("Calc"));
    ds.last();
    EXPECT_EQ(calc->value().asInteger(), 5);
}

TEST_F(QueryTest, JoinOfALabelFileAndACsvFile) {
    Query q;
    q.setText(QStringLiteral("SELECT T1.cislo, T1.nazev1, T2.sklad, T2.mnozstvi FROM \"%1\" T1 "
                             "JOIN \"%2\" T2 ON T2.cislo = T1.cislo ORDER BY T1.cislo DESC")
                  .arg(labels_, csv_));
    QString err;
    ASSERT_TRUE(q.open(&err)) << err.toStdString();
    DataSet& ds = *q.dataSet();
    EXPECT_EQ(column(ds, "cislo"), (QList<QString>{"4", "3", "1"}));
    EXPECT_EQ(column(ds, "sklad"), (QList<QString>{"Ostrava", "Brno", "Praha"}));
    EXPECT_EQ(ds.findField(QStringLiteral("mnozstvi"))->dataType(), FieldType::Float);
    ds.first();
    EXPECT_DOUBLE_EQ(ds.findField(QStringLiteral("mnozstvi"))->value().asReal(), 7.25);
}

TEST_F(QueryTest, DbaseFileWithRelativePathFromTheDatabaseDirectory) {
    const QString dbf = dir_.filePath(QStringLiteral("ceny.dbf"));
    QString err;
    ASSERT_TRUE(createTable(
        dbf, TableKind::Dbase,
        {{"KOD", FieldType::String, 10, false}, {"CENA", FieldType::Float, 0, false}}, &err))
        << err.toStdString();
    auto t = openForeignTable(dbf, &err);
    ASSERT_TRUE(t) << err.toStdString();
    for (auto [kod, cena] : {std::pair{"B", 2.0}, {"C", 1.0}, {"A", 3.0}}) {
        ASSERT_TRUE(t->append(&err));
        t->findField(QStringLiteral("KOD"))->setText(QString::fromLatin1(kod));
        t->findField(QStringLiteral("CENA"))->setValue(TaggedValue::real(cena));
        ASSERT_TRUE(t->post(&err)) << err.toStdString();
    }
    Query q;
    q.setDatabase(dir_.path());
    q.setText(QStringLiteral("SELECT * FROM \"ceny.dbf\" ORDER BY CENA DESC"));
    ASSERT_TRUE(q.open(&err)) << err.toStdString();
    EXPECT_EQ(column(*q.dataSet(), "KOD"), (QList<QString>{"A", "B", "C"}));
}

TEST_F(QueryTest, StatementsTheEngineRejectsFailToPrepareWithItsMessage) {
    const struct {
        QString sql;
        const char* fragment;
    } cases[] = {
        {QStringLiteral("SELEKT * FROM \"%1\"").arg(labels_), "syntax error"},
        {QStringLiteral("SELECT T1.* FROM \"%1\" T1 ORDER BY nic").arg(labels_), "nic"},
        {QStringLiteral("SELECT * FROM \"%1\" T1").arg(dir_.filePath(QStringLiteral("chybi.db"))),
         "chybi.db"},
    };
    for (const auto& c : cases) {
        Query q;
        q.setText(c.sql);
        QString err;
        EXPECT_FALSE(q.prepare(&err)) << c.sql.toStdString();
        EXPECT_TRUE(err.contains(QString::fromLatin1(c.fragment))) << err.toStdString();
        EXPECT_FALSE(q.open(&err));
        EXPECT_FALSE(q.isOpen());
    }
}

TEST_F(QueryTest, ValuesInTheQueryAreTextNotCode) {
    // A path with a quote in it still names the file, and text values stay values.
    const QString odd = dir_.filePath(QStringLiteral("o'brien.csv"));
    ASSERT_TRUE(test::writeBytes(odd, "jmeno\r\nx'); DROP TABLE y; --\r\n"));
    Query q;
    q.setText(QStringLiteral("SELECT jmeno FROM \"%1\"").arg(odd));
    QString err;
    ASSERT_TRUE(q.open(&err)) << err.toStdString();
    q.dataSet()->first();
    EXPECT_EQ(q.dataSet()->field(0)->displayText(), QStringLiteral("x'); DROP TABLE y; --"));
}

TEST_F(QueryTest, AQueryOnlyReadsAndNeverChangesAnotherFile) {
    // A second label file the query could try to reach by ATTACH.
    const QString other = dir_.filePath(QStringLiteral("jiny.db"));
    QString err;
    ASSERT_TRUE(createLabelFile(other, &err)) << err.toStdString();
    {
        auto store = LabelFileStore::open(other, &err);
        ASSERT_TRUE(store) << err.toStdString();
        RawRecord r(16);
        r[0] = QVariant::fromValue<qint64>(1);
        ASSERT_TRUE(store->insertMany({r}, &err)) << err.toStdString();
    }
    const QByteArray before = test::fileBytes(other);
    const QByteArray labelsBefore = test::fileBytes(labels_);
    const QString attach = QStringLiteral("ATTACH '%1' AS e").arg(other);
    const struct {
        QString sql;
        const char* fragment;
    } cases[] = {
        // Text after the statement: a second statement is never run.
        {QStringLiteral("SELECT 1 AS cislo; %1; DELETE FROM e.etikety").arg(attach),
         "jen jeden příkaz"},
        {QStringLiteral("SELECT 1 AS cislo; SELECT 2"), "jen jeden příkaz"},
        // Statements that write or attach on their own.
        {attach, "jen číst"},
        {QStringLiteral("VACUUM INTO '%1'").arg(dir_.filePath(QStringLiteral("kopie.db"))),
         "jen číst"},
        // The engine's tables over files take no writes at all.
        {QStringLiteral("DELETE FROM \"%1\"").arg(labels_), "may not be modified"},
        {QStringLiteral("CREATE TABLE t AS SELECT * FROM \"%1\"").arg(labels_), "jen číst"},
        {QStringLiteral("PRAGMA writable_schema=1"), "PRAGMA"},
        {QStringLiteral("SELECT load_extension('%1')").arg(dir_.filePath(QStringLiteral("x.so"))),
         "load_extension"},
    };
    for (const auto& c : cases) {
        Query q;
        q.setText(c.sql);
        EXPECT_FALSE(q.open(&err)) << c.sql.toStdString();
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.fragment))) << err.toStdString();
        EXPECT_FALSE(q.isOpen());
    }
    EXPECT_EQ(test::fileBytes(other), before);
    EXPECT_EQ(test::fileBytes(labels_), labelsBefore);
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("kopie.db"))));

    // Reading is what a query does: trailing semicolons and comments, PRAGMAs
    // that report, CTEs and the engine's own opening of the files it names.
    for (const QString& sql :
         {QStringLiteral("SELECT T1.cislo FROM \"%1\" T1; -- konec\n;").arg(labels_),
          QStringLiteral("WITH c AS (SELECT cislo FROM \"%1\") SELECT * FROM c /* x */")
              .arg(labels_),
          QStringLiteral("SELECT L.cislo, S.sklad FROM \"%1\" L JOIN \"%2\" S ON S.cislo = L.cislo")
              .arg(labels_, csv_),
          QStringLiteral("PRAGMA table_info('sqlite_master')")}) {
        Query q;
        q.setText(sql);
        EXPECT_TRUE(q.open(&err)) << sql.toStdString() << ": " << err.toStdString();
    }
}

TEST_F(QueryTest, ARunawayStatementEndsWhenTheProgressCancels) {
    // Cancels on the third poll, as a progress window's button would.
    class CancelLater final : public Progress {
    public:
        void step(int, int, const QString&) override {}
        bool cancelled() override { return ++polls >= 3; }
        int polls = 0;
    } progress;
    Query q;
    q.setProgress(&progress);
    q.setText(QStringLiteral(
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) SELECT x FROM n"));
    QString err;
    EXPECT_FALSE(q.open(&err));
    EXPECT_EQ(err, QStringLiteral("Dotaz byl přerušen"));
    EXPECT_GE(progress.polls, 3);
    EXPECT_FALSE(q.isOpen());
}

}  // namespace

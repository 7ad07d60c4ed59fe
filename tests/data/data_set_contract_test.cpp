// The data-set contract, run against every kind of table the engine writes.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <functional>

#include "data/csv_file.h"
#include "data/data_set.h"
#include "data/label_file.h"
#include "data/table_open.h"
#ifdef DORVANA_ON_SERVER
#include "data/pg_table.h"
#include "data/server/test_server.h"
#endif

using namespace dorvana;

namespace {

struct Kind {
    const char* name;
    const char* file;
    // Field names in the table: key, text (size 40), number, date, memo.
    const char* key;
    const char* text;
    const char* number;
    const char* date;
    const char* memo;
    std::function<bool(const QString&, QString*)> create;
    bool keyOrdered;  // rows stand in key order (label files)
    bool typed;       // the file keeps field types and sizes (CSV infers them from the values)
};

void PrintTo(const Kind& kind, std::ostream* os) {
    *os << kind.name;
}

#ifdef DORVANA_ON_SERVER
// The same contract over a label table on the tests' server (its "file" is
// the stem of a table name each test makes its own).
const Kind kKinds[] = {
    {"Server", "kontrakt", "cislo", "nazev1", "cena", "datum1", "pozn",
     [](const QString& uri, QString* e) {
         PgTarget t;
         return parseServerTableUri(uri, &t, e) && createServerLabelTable(t, false, e);
     },
     true, true},
};
#else
FieldDefs genericFields(bool withMemo = true) {
    FieldDefs d{{"cislo", FieldType::Integer, 0, false},
                {"nazev", FieldType::String, 40, false},
                {"cena", FieldType::Float, 0, false},
                {"datum", FieldType::Date, 0, false}};
    if (withMemo) d.append({"pozn", FieldType::Memo, 0, false});
    return d;
}

const Kind kKinds[] = {
    {"LabelFile", "etikety.db", "cislo", "nazev1", "cena", "datum1", "pozn",
     [](const QString& p, QString* e) { return createLabelFile(p, e); }, true, true},
    {"Sqlite", "cizi.sqlite", "cislo", "nazev", "cena", "datum", "pozn",
     [](const QString& p, QString* e) {
         return createTable(p, TableKind::Sqlite, genericFields(), e);
     },
     false, true},
    {"Dbase", "zbozi.dbf", "cislo", "nazev", "cena", "datum", "pozn",
     [](const QString& p, QString* e) {
         return createTable(p, TableKind::Dbase, genericFields(), e);
     },
     false, true},
    {"Paradox", "zbozi.db", "cislo", "nazev", "cena", "datum", "pozn",
     [](const QString& p, QString* e) {
         return createTable(p, TableKind::Paradox, genericFields(), e);
     },
     false, true},
    {"Csv", "zbozi.csv", "cislo", "nazev", "cena", "datum", "pozn",
     [](const QString& p, QString* e) {
         return createTable(p, TableKind::Csv, genericFields(), e);
     },
     false, false},
};
#endif

class DataSetContract : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
#ifdef DORVANA_ON_SERVER
        path_ = test::testServerUri(test::uniqueTableName(QString::fromLatin1(GetParam().file)));
#else
        path_ = dir_.filePath(QString::fromLatin1(GetParam().file));
#endif
        QString err;
        ASSERT_TRUE(GetParam().create(path_, &err)) << err.toStdString();
    }

    std::unique_ptr<DataSet> open() {
        QString err;
        auto ds = openAnyTable(path_, &err);
        EXPECT_TRUE(ds) << err.toStdString();
        return ds;
    }

    Field* f(DataSet& ds, const char* name) {
        Field* fl = ds.findField(QString::fromLatin1(name));
        EXPECT_TRUE(fl) << name;
        return fl;
    }

    void add(DataSet& ds, int key, const QString& text, double number, QDate date,
             const QString& memo = {}) {
        const Kind& k = GetParam();
        QString err;
        ASSERT_TRUE(ds.append(&err)) << err.toStdString();
        ASSERT_TRUE(f(ds, k.key)->setValue(TaggedValue::integer(key), &err)) << err.toStdString();
        ASSERT_TRUE(f(ds, k.text)->setText(text, &err)) << err.toStdString();
        ASSERT_TRUE(f(ds, k.number)->setValue(TaggedValue::real(number), &err));
        ASSERT_TRUE(
            f(ds, k.date)->setValue(TaggedValue::dateTime(QDateTime(date, QTime(0, 0))), &err));
        if (!memo.isEmpty()) {
            ASSERT_TRUE(f(ds, k.memo)->setText(memo, &err));
        }
        ASSERT_TRUE(ds.post(&err)) << err.toStdString();
    }

    // The key values in the data set's order.
    QList<int> keys(DataSet& ds) {
        QList<int> out;
        for (ds.first(); !ds.atEnd(); ds.next()) out << f(ds, GetParam().key)->value().asInteger();
        return out;
    }

    // Five records: keys 30, 10, 50, 20, 40.
    void fill(DataSet& ds) {
        add(ds, 30, QStringLiteral("Šroub M6"), 2.5, {2024, 3, 1}, QStringLiteral("první\nřádek"));
        add(ds, 10, QStringLiteral("Matice M6"), 0.75, {2024, 1, 15});
        add(ds, 50, QStringLiteral("Podložka"), 0.2, {2023, 12, 31});
        add(ds, 20, QStringLiteral("Žárovka 40 W"), 39.9, {2024, 5, 1});
        add(ds, 40, QStringLiteral("Čep"), 12, {2022, 2, 28});
    }

    QList<int> expectedOrder() const {
        return GetParam().keyOrdered ? QList<int>{10, 20, 30, 40, 50}
                                     : QList<int>{30, 10, 50, 20, 40};
    }

    QTemporaryDir dir_;
    QString path_;
};

TEST_P(DataSetContract, EmptyTableHasBothFlagsAndNoRecord) {
    auto ds = open();
    ASSERT_TRUE(ds);
    EXPECT_TRUE(ds->isOpen());
    EXPECT_EQ(ds->recordCount(), 0);
    EXPECT_TRUE(ds->atBegin());
    EXPECT_TRUE(ds->atEnd());
    EXPECT_EQ(ds->recNo(), 0);
    EXPECT_TRUE(f(*ds, GetParam().text)->isNull());
    EXPECT_EQ(ds->moveBy(3), 0);
    EXPECT_FALSE(ds->bookmark().isValid());
}

TEST_P(DataSetContract, RecordsSurviveReopenInTableOrderWithTheirValues) {
    const Kind& k = GetParam();
    {
        auto ds = open();
        ASSERT_TRUE(ds);
        fill(*ds);
        EXPECT_EQ(ds->recordCount(), 5);
    }
    auto ds = open();
    ASSERT_TRUE(ds);
    ASSERT_EQ(keys(*ds), expectedOrder());
    ASSERT_TRUE(ds->findField(QStringLiteral("calc")));
    // Values of the record with key 30.
    ds->first();
    while (f(*ds, k.key)->value().asInteger() != 30) ds->next();
    EXPECT_EQ(f(*ds, k.text)->value().asText(), QStringLiteral("Šroub M6"));
    EXPECT_DOUBLE_EQ(f(*ds, k.number)->value().asReal(), 2.5);
    EXPECT_EQ(dateTimeFromDays(f(*ds, k.date)->value().asDateTime()).date(), QDate(2024, 3, 1));
    EXPECT_EQ(f(*ds, k.date)->displayText(), QStringLiteral("01.03.2024"));
    EXPECT_EQ(f(*ds, k.memo)->value().asText(), QStringLiteral("první\nřádek"));
    EXPECT_EQ(f(*ds, k.key)->displayText(), QStringLiteral("30"));
    // The record-number field is the 1-based sequence number of each record.
    for (ds->first(); !ds->atEnd(); ds->next())
        EXPECT_EQ(ds->findField(QStringLiteral("calc"))->value().asInteger(), ds->recNo());
}

TEST_P(DataSetContract, NavigationFlagsMovesAndBookmarks) {
    auto ds = open();
    ASSERT_TRUE(ds);
    fill(*ds);
    const QList<int> order = expectedOrder();
    auto key = [&] { return f(*ds, GetParam().key)->value().asInteger(); };
    ds->first();
    EXPECT_TRUE(ds->atBegin());
    EXPECT_FALSE(ds->atEnd());
    EXPECT_EQ(key(), order[0]);
    ds->prior();
    EXPECT_TRUE(ds->atBegin());
    EXPECT_EQ(key(), order[0]);
    ds->next();
    EXPECT_FALSE(ds->atBegin());
    EXPECT_EQ(ds->recNo(), 2);
    EXPECT_EQ(ds->moveBy(2), 2);
    EXPECT_EQ(key(), order[3]);
    EXPECT_EQ(ds->moveBy(10), 1);
    EXPECT_TRUE(ds->atEnd());
    EXPECT_EQ(key(), order[4]);
    ds->last();
    EXPECT_TRUE(ds->atEnd());
    EXPECT_EQ(ds->recNo(), 5);
    EXPECT_EQ(ds->moveBy(-10), -4);
    EXPECT_TRUE(ds->atBegin());

    ASSERT_TRUE(ds->setRecNo(3));
    Bookmark b = ds->bookmark();
    ASSERT_TRUE(b.isValid());
    add(*ds, 5, QStringLiteral("Nový"), 1, {2024, 1, 1});  // lands before it in key order
    ds->setRecNo(2);                                       // a record before it goes
    QString err;
    ASSERT_TRUE(ds->deleteRecord(&err)) << err.toStdString();
    ds->first();
    ASSERT_TRUE(ds->gotoBookmark(b));
    EXPECT_EQ(key(), order[2]);
    ds->freeBookmark(b);
    EXPECT_FALSE(b.isValid());
}

TEST_P(DataSetContract, EditCancelPostAndDelete) {
    const Kind& k = GetParam();
    {
        auto ds = open();
        ASSERT_TRUE(ds);
        fill(*ds);
        ds->setRecNo(2);
        const int editedKey = f(*ds, k.key)->value().asInteger();
        QString err;
        ASSERT_TRUE(ds->edit(&err)) << err.toStdString();
        ASSERT_TRUE(f(*ds, k.text)->setText(QStringLiteral("zrušeno"), &err));
        ds->cancel();
        EXPECT_EQ(ds->state(), DataSet::State::Browse);
        EXPECT_NE(f(*ds, k.text)->value().asText(), QStringLiteral("zrušeno"));

        ASSERT_TRUE(ds->edit(&err));
        ASSERT_TRUE(f(*ds, k.text)->setText(QStringLiteral("Upraveno – ěščřžýáíé"), &err));
        ASSERT_TRUE(f(*ds, k.memo)->setText(QStringLiteral("nová poznámka"), &err));
        ASSERT_TRUE(ds->post(&err)) << err.toStdString();
        EXPECT_EQ(f(*ds, k.key)->value().asInteger(), editedKey);
        // Deleting the last record leaves the new last one current.
        ds->last();
        ASSERT_TRUE(ds->deleteRecord(&err)) << err.toStdString();
        EXPECT_EQ(ds->recordCount(), 4);
        EXPECT_EQ(ds->recNo(), 4);
    }
    auto ds = open();
    ASSERT_TRUE(ds);
    QList<int> want = expectedOrder();
    want.removeLast();
    EXPECT_EQ(keys(*ds), want);
    ds->setRecNo(2);
    EXPECT_EQ(f(*ds, k.text)->value().asText(), QStringLiteral("Upraveno – ěščřžýáíé"));
    EXPECT_EQ(f(*ds, k.memo)->value().asText(), QStringLiteral("nová poznámka"));
}

TEST_P(DataSetContract, TooLongTextIsRefusedOnPostAndNothingIsStored) {
    if (!GetParam().typed) GTEST_SKIP() << "text sizes of CSV columns follow their values";
    auto ds = open();
    ASSERT_TRUE(ds);
    QString err;
    ASSERT_TRUE(ds->append(&err));
    f(*ds, GetParam().key)->setValue(TaggedValue::integer(1));
    ASSERT_TRUE(f(*ds, GetParam().text)->setText(QString(41, QChar(u'ž')), &err));
    EXPECT_FALSE(ds->post(&err));
    EXPECT_TRUE(err.contains(QStringLiteral("40"))) << err.toStdString();
    ds->cancel();
    EXPECT_EQ(ds->recordCount(), 0);
    EXPECT_EQ(open()->recordCount(), 0);
}

TEST_P(DataSetContract, FilterNarrowsTheRecordsAndBadTextsFail) {
    const Kind& k = GetParam();
    auto ds = open();
    ASSERT_TRUE(ds);
    fill(*ds);
    QString err;
    const QString text = QString::fromLatin1(k.text);
    // Range of the filter dialog: names beginning with "M" .. "P".
    ASSERT_TRUE(ds->setFilter(
        QStringLiteral("((%1>='M')and(%1<='P%2'))").arg(text, QString(39, u'ž')), &err));
    ASSERT_TRUE(ds->setFiltered(true, &err)) << err.toStdString();
    EXPECT_EQ(ds->recordCount(), 2);  // Matice M6, Podložka
    QList<int> got = keys(*ds);
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (QList<int>{10, 50}));
    // Records are numbered within the filtered view.
    ds->last();
    EXPECT_EQ(ds->findField(QStringLiteral("calc"))->value().asInteger(), 2);

    ASSERT_TRUE(ds->setFilter(QStringLiteral("%1 >= 20 and %2 < '1.5.2024'")
                                  .arg(QString::fromLatin1(k.key), QString::fromLatin1(k.date)),
                              &err))
        << err.toStdString();
    got = keys(*ds);
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (QList<int>{30, 40, 50}));

    EXPECT_FALSE(ds->setFilter(QStringLiteral("((nikde=1))"), &err));
    EXPECT_FALSE(ds->isFiltered());
    EXPECT_EQ(ds->recordCount(), 5);
    ASSERT_TRUE(ds->setFiltered(false));
    ASSERT_TRUE(ds->setFilter(QStringLiteral("((%1=5)) or ((").arg(QString::fromLatin1(k.key))));
    EXPECT_FALSE(ds->setFiltered(true, &err));
    EXPECT_FALSE(err.isEmpty());
    EXPECT_EQ(ds->recordCount(), 5);
}

TEST_P(DataSetContract, FieldsByIndexAndName) {
    if (!GetParam().typed) GTEST_SKIP() << "CSV types are covered by the inference tests";
    auto ds = open();
    ASSERT_TRUE(ds);
    EXPECT_EQ(ds->findField(QStringLiteral("neexistuje")), nullptr);
    EXPECT_EQ(ds->field(ds->fieldCount()), nullptr);
    Field* text = ds->findField(QString::fromLatin1(GetParam().text).toUpper());
    ASSERT_TRUE(text);
    EXPECT_EQ(text->dataType(), FieldType::String);
    EXPECT_EQ(text->size(), 40);
    EXPECT_EQ(text->displayWidth(), 40);
    EXPECT_EQ(ds->field(text->index()), text);
    Field* last = ds->field(ds->fieldCount() - 1);
    EXPECT_TRUE(last->isCalculated());
    EXPECT_EQ(last->name().toLower(), QStringLiteral("calc"));
    EXPECT_EQ(f(*ds, GetParam().memo)->dataType(), FieldType::Memo);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, DataSetContract, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

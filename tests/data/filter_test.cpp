// Filter texts over a small table: the shapes the filter dialog writes, the
// Windows-1250 order of texts, and the texts the engine rejects.
#include <gtest/gtest.h>

#include <QDate>

#include "data/data_set.h"
#include "data/memory_store.h"

using namespace dorvana;

namespace {

QVariant i64(qint64 v) {
    return QVariant::fromValue<qint64>(v);
}

std::unique_ptr<DataSet> table() {
    FieldDefs defs{{"cislo", FieldType::Integer, 0, false},
                   {"nazev1", FieldType::String, 40, false},
                   {"cena", FieldType::Currency, 0, false},
                   {"datum1", FieldType::Date, 0, false},
                   {"Název", FieldType::String, 10, false}};
    QList<RawRecord> rows{
        {i64(1), "ab", 12.5, QDate(2024, 1, 10), "Čaj"},
        {i64(2), "abc", 3.0, QDate(2024, 2, 1), "čaj"},
        {i64(3), "ac", 100.0, QDate(2023, 12, 31), "Žito"},
        {i64(4), "acž", 0.5, QDate(2024, 3, 5), "Anýz"},
        {i64(5), "acá", 12.5, QVariant(), "Zelí"},
        {i64(6), QVariant(), QVariant(), QDate(2024, 1, 10), QVariant()},
        {i64(7), "ad", -4.0, QDate(2024, 6, 30), "O'Neil"},
    };
    auto ds = std::make_unique<DataSet>();
    ds->addCalculatedField(QStringLiteral("Calc"), FieldType::Integer, true);
    ds->setStore(std::make_unique<MemoryStore>(defs, rows));
    return ds;
}

QList<int> numbers(DataSet& ds) {
    QList<int> out;
    for (ds.first(); !ds.atEnd(); ds.next()) out << ds.field(0)->value().asInteger();
    return out;
}

TEST(Filter, MatchesTheRecordsOfEachCondition) {
    const QString zz = QString(38, QChar(u'ž'));
    const struct {
        QString text;
        QList<int> want;
    } cases[] = {
        // Text range of the dialog: "ac" padded with ž to the display width
        // takes in "acž" but not "acá" (á sorts after ž in Windows-1250).
        {QStringLiteral("((nazev1>='ab')and(nazev1<='ac%1'))").arg(zz), {1, 2, 3, 4}},
        {QStringLiteral("((nazev1='abc'))"), {2}},
        {QStringLiteral("((cislo>=2)and(cislo<=4))"), {2, 3, 4}},
        {QStringLiteral("((cislo=5))"), {5}},
        // Floating numbers as the dialog writes them: quoted, decimal comma.
        {QStringLiteral("((cena>='3,00')and(cena<='12,50'))"), {1, 2, 5}},
        {QStringLiteral("((cena=-4))"), {7}},
        // Dates without quotes (what the dialog writes) and with them.
        {QStringLiteral("((datum1>=01.01.2024)and(datum1<=10.01.2024))"), {1, 6}},
        {QStringLiteral("datum1 < '1.1.2024' or datum1 > '2024-06-01'"), {3, 7}},
        // Groups joined by or, not, and a field name with diacritics.
        {QStringLiteral("((cislo>=1)and(cislo<=2)) or ((Název='Žito'))"), {1, 2, 3}},
        {QStringLiteral("not (cislo < 7)"), {7}},
        // Bytes of Windows-1250: capitals before small letters, Ž (0x8E),
        // Č (0xC8) and č (0xE8) after every ASCII letter. Field names follow
        // the name rule: A-Z without regard to case, "á" only as itself.
        {QStringLiteral("název >= 'A' and NáZEV <= 'Z'"), {4, 7}},
        {QStringLiteral("Název > 'Z'"), {1, 2, 3, 5}},
        {QStringLiteral("nazev1 = null"), {6}},
        {QStringLiteral("nazev1 <> NULL and cena <> null and datum1 = NULL"), {5}},
        {QStringLiteral("Název = 'O''Neil'"), {7}},
        {QStringLiteral("nazev1 = 'ac*'"), {3, 4, 5}},
        {QStringLiteral("Calc >= 6"), {6, 7}},
        {QStringLiteral("5 < cislo"), {6, 7}},
    };
    for (const auto& c : cases) {
        auto ds = table();
        QString err;
        ASSERT_TRUE(ds->setFilter(c.text, &err));
        ASSERT_TRUE(ds->setFiltered(true, &err))
            << c.text.toStdString() << ": " << err.toStdString();
        EXPECT_EQ(numbers(*ds), c.want) << c.text.toStdString();
    }
}

TEST(Filter, DisplayLabelsNameFieldsToo) {
    auto ds = table();
    ds->field(2)->setDisplayLabel(QStringLiteral("Prodejní cena"));
    QString err;
    ASSERT_TRUE(ds->setFilter(QStringLiteral("((\"Prodejní cena\">='100'))")));
    ASSERT_TRUE(ds->setFiltered(true, &err)) << err.toStdString();
    EXPECT_EQ(numbers(*ds), QList<int>{3});
}

TEST(Filter, RejectedTextsFailWhenSwitchedOnAndLeaveTheTableWhole) {
    const char* bad[] = {
        "((cislo=5)) or ((",     // an "or" group started and left empty
        "((nikde='x'))",         // no such field
        "cislo = 'pět'",         // not a number
        "datum1 >= 32.13.2024",  // not a date
        "nazev1 >= 'ab",         // unterminated text
        "cislo == 5",           "cislo 5", "(cislo = 5", "cislo = 5)", "cena > NULL", "",
    };
    for (const char* text : bad) {
        auto ds = table();
        QString err;
        ASSERT_TRUE(ds->setFilter(QString::fromUtf8(text)));
        const bool on = ds->setFiltered(true, &err);
        if (*text == 0) {
            EXPECT_TRUE(on);  // an empty filter simply filters nothing
            EXPECT_FALSE(ds->isFiltered());
        } else {
            EXPECT_FALSE(on) << text;
            EXPECT_FALSE(ds->isFiltered()) << text;
            EXPECT_FALSE(err.isEmpty()) << text;
        }
        EXPECT_EQ(ds->recordCount(), 7) << text;
    }
}

// A filter file of 60,000 groups joined by "or" (1.2 MB, as a script or a
// patient clerk writes one) is applied like any other; brackets nested beyond
// the limit are refused with the filter's message.
TEST(Filter, LongChainsWorkAndDeepNestingIsRefused) {
    QString chain;
    for (int i = 0; i < 60000; ++i) {
        if (i) chain += QStringLiteral(" or ");
        chain += QStringLiteral("((cislo=%1)and(cena>='-100'))").arg(i % 3 == 0 ? 7 : 10 + i);
    }
    chain += QStringLiteral(" or ((cislo=2))");
    auto ds = table();
    QString err;
    ASSERT_TRUE(ds->setFilter(chain));
    ASSERT_TRUE(ds->setFiltered(true, &err)) << err.toStdString();
    EXPECT_EQ(numbers(*ds), (QList<int>{2, 7}));

    const QString deep = QString(5000, u'(') + QStringLiteral("cislo=1") + QString(5000, u')');
    const QString nots = QStringLiteral("not ").repeated(5000) + QStringLiteral("cislo=1");
    for (const QString& text : {deep, nots}) {
        auto d = table();
        ASSERT_TRUE(d->setFilter(text));
        EXPECT_FALSE(d->setFiltered(true, &err));
        EXPECT_TRUE(err.startsWith(QStringLiteral("Chybný filtr: příliš mnoho vnořených závorek")))
            << err.toStdString();
        EXPECT_EQ(d->recordCount(), 7);
    }
}

TEST(Filter, SwitchingOffShowsEveryRecordAgainAndCalcFollowsTheView) {
    auto ds = table();
    ASSERT_TRUE(ds->setFilter(QStringLiteral("cislo >= 4")));
    ASSERT_TRUE(ds->setFiltered(true));
    ds->first();
    EXPECT_EQ(ds->field(5)->value().asInteger(), 1);  // Calc is the number within the view
    EXPECT_EQ(ds->field(0)->value().asInteger(), 4);
    ASSERT_TRUE(ds->setFiltered(false));
    EXPECT_EQ(ds->recordCount(), 7);
    ds->last();
    EXPECT_EQ(ds->field(5)->value().asInteger(), 7);
}

}  // namespace

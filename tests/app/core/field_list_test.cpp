// The field list of the new-table designer.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/core/field_list.h"
#include "data/data_set.h"

using namespace dorvana;

namespace {

const int kString = int(FieldType::String), kInteger = int(FieldType::Integer);

TEST(FieldList, ChecksOfTheFieldDialog) {
    FieldList list;
    ASSERT_TRUE(list.add({QStringLiteral("cislo"), kInteger, 0}));
    ASSERT_TRUE(list.add({QStringLiteral("nazev"), kString, 30}));
    const struct {
        FieldEntry entry;
        int editing;
        QString message;
    } cases[] = {
        {{QStringLiteral("x"), 0, 0}, -1, QStringLiteral("Chybný typ pole")},
        {{QStringLiteral("cislo"), kInteger, 0}, -1, QStringLiteral("Duplicitní pole")},
        {{QStringLiteral("CISLO"), kInteger, 0}, -1, QStringLiteral("Duplicitní pole")},
        {{QStringLiteral("cislo"), kInteger, 0}, 0, {}},  // editing the entry itself
        {{QStringLiteral("nazev"), kInteger, 0}, 0, QStringLiteral("Duplicitní pole")},
        {{QStringLiteral("pocet"), kInteger, 5}, -1, QStringLiteral("Chybná délka pole")},
        {{QStringLiteral("popis"), kString, 0}, -1, QStringLiteral("Chybná délka pole")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(list.check(c.entry, c.editing), c.message) << c.entry.text().toStdString();
    EXPECT_EQ(list.entries()[1].text(), QStringLiteral("nazev;1;30"));

    ASSERT_TRUE(list.add({QStringLiteral("datum"), int(FieldType::Date), 0}));
    list.move(2, 0);
    EXPECT_EQ(list.entries()[0].name, QStringLiteral("datum"));
    list.move(1, 1);
    list.move(0, 7);
    EXPECT_EQ(list.entries()[0].name, QStringLiteral("datum"));
}

TEST(FieldList, CreatesTablesAndLoadsTheirFields) {
    QTemporaryDir dir;
    FieldList list;
    QString error;
    EXPECT_FALSE(list.create(dir.filePath(QStringLiteral("prazdna.dbf")), TableKind::Dbase, &error));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("prazdna.dbf"))));
    ASSERT_TRUE(list.add({QStringLiteral("cislo"), kInteger, 0}));
    ASSERT_TRUE(list.add({QStringLiteral("nazev"), kString, 30}));
    for (const auto& [name, kind] : {std::pair{"nova.dbf", TableKind::Dbase},
                                     std::pair{"nova.db", TableKind::Paradox}}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(list.create(path, kind, &error)) << error.toStdString();
        auto table = openForeignTable(path, &error);
        ASSERT_TRUE(table) << error.toStdString();
        EXPECT_EQ(table->field(0)->dataType(), FieldType::Integer) << name;
        EXPECT_EQ(table->field(1)->dataType(), FieldType::String) << name;
        EXPECT_EQ(table->field(1)->size(), 30) << name;

        // Loaded back, a table gives the same fields (dBase writes names in
        // capitals): a round trip keeps the sizes.
        FieldList again;
        ASSERT_TRUE(again.load(path, &error)) << error.toStdString();
        QStringList texts;
        for (const FieldEntry& e : again.entries()) texts << e.text().toLower();
        EXPECT_EQ(texts, QStringList({"cislo;3;0", "nazev;1;30"})) << name;
    }
    // A name the format cannot hold: the engine's message, nothing created.
    FieldList longName;
    ASSERT_TRUE(longName.add({QStringLiteral("prilis_dlouhe_jmeno"), kInteger, 0}));
    EXPECT_FALSE(longName.create(dir.filePath(QStringLiteral("spatna.dbf")), TableKind::Dbase, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("spatna.dbf"))));
    EXPECT_FALSE(FieldList().load(dir.filePath(QStringLiteral("neni.db")), &error));
}

}  // namespace

// The query builder: a statement composed from tables, fields and
// conditions, tried on its first rows, edited by hand, saved and loaded.
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "app/query_builder_dialog.h"
#include "data/label_file.h"
#include "support/scripted_messages.h"

namespace dorvana {
namespace {

TEST(QueryBuilder, ComposesTriesEditsAndSavesAQuery) {
    QTemporaryDir dir;
    const QString kuk = dir.filePath(QStringLiteral("kuk.db"));
    QString err;
    ASSERT_TRUE(createLabelFile(kuk, &err));
    {
        auto store = LabelFileStore::open(kuk, &err);
        QList<RawRecord> rows;
        for (int i = 1; i <= 5; ++i) {
            RawRecord r(16);
            r[0] = QVariant::fromValue<qint64>(i);
            r[1] = QStringLiteral("Věc %1").arg(i);
            rows << r;
        }
        ASSERT_TRUE(store->insertMany(rows, &err));
    }
    test::ScriptedMessages messages;
    QueryBuilderDialog dlg(dir.path(), nullptr, &messages);
    ASSERT_TRUE(dlg.addTable(kuk));
    dlg.setFieldTicked(QStringLiteral("T1.cislo"), true);
    dlg.setFieldTicked(QStringLiteral("T1.nazev1"), true);
    dlg.addCondition({QStringLiteral("T1.cislo"), QStringLiteral(">"), QStringLiteral("2")});
    dlg.addOrder({QStringLiteral("T1.cislo"), true});
    EXPECT_EQ(dlg.sqlEditor()->toPlainText(),
              QStringLiteral("SELECT T1.cislo, T1.nazev1\nFROM \n\"%1\" T1\nWHERE T1.cislo > 2\n"
                             "ORDER BY T1.cislo DESC")
                  .arg(kuk));
    ASSERT_TRUE(dlg.tryQuery());
    EXPECT_EQ(dlg.preview()->model()->rowCount(), 3);
    EXPECT_EQ(dlg.preview()->model()->index(0, 0).data().toString(), QStringLiteral("5"));
    QueryRequest r = dlg.request();
    EXPECT_FALSE(r.editedByHand);
    EXPECT_EQ(r.tables, QStringList({kuk}));
    // The trial has room for ten rows at the dialog's size.
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_GE(dlg.preview()->viewport()->height(), 10 * dlg.preview()->verticalHeader()->defaultSectionSize());

    // Saved and loaded, a composed query comes back with its conditions and order.
    const QString composed = dir.filePath(QStringLiteral("slozeny.sql"));
    ASSERT_TRUE(dlg.saveTo(composed));
    {
        QueryBuilderDialog loaded(dir.path(), nullptr, &messages);
        ASSERT_TRUE(loaded.loadFrom(composed));
        EXPECT_EQ(loaded.request().lines, r.lines);
        EXPECT_FALSE(loaded.editedByHand());
        loaded.addCondition({QStringLiteral("T1.cislo"), QStringLiteral("<"), QStringLiteral("5")});
        EXPECT_TRUE(loaded.sqlEditor()->toPlainText().contains(QStringLiteral("WHERE T1.cislo > 2 AND T1.cislo < 5")))
            << loaded.sqlEditor()->toPlainText().toStdString();
        ASSERT_TRUE(loaded.tryQuery());
        EXPECT_EQ(loaded.preview()->model()->rowCount(), 2);
    }

    // By hand: the table's bare name is found beside the first table.
    dlg.setSqlText(QStringLiteral("SELECT T1.*\nFROM \nkuk.db"));
    EXPECT_TRUE(dlg.editedByHand());
    ASSERT_TRUE(dlg.tryQuery());
    EXPECT_EQ(dlg.preview()->model()->rowCount(), 5);
    dlg.addCondition({QStringLiteral("T1.cislo"), QStringLiteral("="), QStringLiteral("1")});
    EXPECT_EQ(dlg.sqlEditor()->toPlainText(), QStringLiteral("SELECT T1.*\nFROM \nkuk.db"));  // kept

    // A statement the engine rejects: its message, and the dialog stays usable.
    dlg.setSqlText(QStringLiteral("SELECT nic FROM"));
    EXPECT_FALSE(dlg.tryQuery());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].startsWith(QStringLiteral("error: ")));

    const QString saved = dir.filePath(QStringLiteral("dotaz.sql"));
    dlg.setSqlText(QStringLiteral("SELECT T1.*\nFROM \nkuk.db"));
    ASSERT_TRUE(dlg.saveTo(saved));
    QueryBuilderDialog again(dir.path(), nullptr, &messages);
    ASSERT_TRUE(again.loadFrom(saved));
    r = again.request();
    EXPECT_TRUE(r.editedByHand);
    EXPECT_EQ(r.tables, QStringList({kuk}));
    EXPECT_EQ(r.lines, QStringList({"SELECT T1.*", "FROM ", "kuk.db"}));
}

}  // namespace
}  // namespace dorvana

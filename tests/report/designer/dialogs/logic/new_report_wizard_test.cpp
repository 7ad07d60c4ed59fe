#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "base/text_file.h"
#include "data/label_file.h"
#include "report/designer/dialogs/logic/new_report_wizard.h"
#include "support/test_support.h"

namespace dorvana {
namespace {

QList<WizardField> threeFields() {
    return {{"cislo", "Číslo", 20, 1}, {"nazev1", "Název", 40, 0}, {"popis1", "Popis", 10, 2}};
}

WizardOptions columnOptions() {
    WizardOptions o;
    o.printableWidth = 747;
    o.printableHeight = 1000;
    o.itemHeight = 20;
    o.fontSize = 10;
    return o;
}

TEST(NewReportWizard, ColumnLayoutInOneRow) {
    const QStringList lines =
        generateReportLines({"cislo", "nazev1", "popis1"}, threeFields(), columnOptions());
    const QStringList expected{
        "I,3,0,1,96",
        "I,3,1,1,28",
        "I,3,2,1,20",
        "I,3,3,0,16",
        "I,3,4,1,32",
        "I,3,5,0,20",
        "I,3,6,0,20",
        "Z,1,0,0,40,747,40,Times New Roman,24,0,1,2,0,1,238,\"Nadpis sestavy\"",
        "Z,5,0,675,0,64,20,Times New Roman,10,0,2,0,0,1,238",
        "Z,1,0,619,0,56,20,Times New Roman,10,0,2,0,0,1,238,\"Datum:\"",
        "N,1,0,0,0,88,20,Arial,10,0,0,0,0,1,238,\"Převedeno:\"",
        "D,1,0,0,0,88,20,Arial,10,0,0,0,0,1,238,\"Převádí se:\"",
        "H,3,0,0,0,160,20,Arial,10,0,0,1,0,0,238",
        "T,2,0,0,0,160,20,Arial,10,0,0,1,0,0,238",
        "H,3,1,160,0,300,20,Arial,10,0,0,0,0,0,238",
        "T,2,1,160,0,300,20,Arial,10,0,0,0,0,0,238",
        "H,3,2,460,0,90,20,Arial,10,0,0,2,0,0,238",
        "T,2,2,460,0,90,20,Arial,10,0,0,2,0,0,238",
        "H,7,0,0,20,747,3,,1,0,0,8,15,0",
        "P,1,0,603,16,96,20,Times New Roman,10,0,2,1,0,1,238,\"Stránka číslo:\"",
        "P,5,3,699,16,32,20,Times New Roman,10,0,2,1,0,1,238",
    };
    EXPECT_EQ(lines, expected);
}

TEST(NewReportWizard, ALabelSheetMakesOneLabelWithoutPageSections) {
    // Avery L7163: a label of 390 x 150 units; 20-unit lines, 8 units off
    // the label's edges.
    WizardOptions o = columnOptions();
    applyWizardPaper(o, WizardPaper{390, 1049, 150});
    EXPECT_TRUE(o.rows);
    const QStringList all =
        generateReportLines({"cislo", "nazev1", "popis1"}, threeFields(), o);
    const QStringList expected{
        "I,3,0,0,96",
        "I,3,1,0,16",
        "I,3,2,1,150",
        "I,3,3,0,16",
        "I,3,4,0,32",
        "I,3,5,0,20",
        "I,3,6,0,20",
        "T,3,0,8,8,84,20,Arial,10,0,0,1,0,0,238",
        "T,2,0,96,8,286,20,Arial,10,0,0,1,0,0,238",
        "T,3,1,8,28,84,20,Arial,10,0,0,1,0,0,238",
        "T,2,1,96,28,286,20,Arial,10,0,0,0,0,0,238",
        "T,3,2,8,48,84,20,Arial,10,0,0,1,0,0,238",
        "T,2,2,96,48,286,20,Arial,10,0,0,2,0,0,238",
    };
    EXPECT_EQ(all, expected);

    // A low label keeps the lines that fit; without field labels the values
    // take the whole width inside the edges.
    o.labelHeight = 50;
    o.fieldLabels = false;
    const QStringList low = generateReportLines({"cislo", "nazev1", "popis1"}, threeFields(), o);
    EXPECT_EQ(low.mid(7), (QStringList{"T,2,0,5,5,380,20,Arial,10,0,0,1,0,0,238",
                                       "T,2,1,5,25,380,20,Arial,10,0,0,0,0,0,238"}));
    EXPECT_EQ(low.value(2), QStringLiteral("I,3,2,1,50"));
}

TEST(NewReportWizard, WideFieldsStartNewRowsAndAreCut) {
    QList<WizardField> fields = threeFields();
    fields[1].displayWidth = 200;  // 1420 units, wider than the page
    WizardOptions o = columnOptions();
    o.fieldLabels = false;
    o.byName = true;
    const QStringList lines = generateReportLines({"cislo", "nazev1", "popis1", "neni"}, fields, o);
    EXPECT_TRUE(lines.contains("T,2,cislo,0,0,160,20,Arial,10,0,0,1,0,0,238"));
    EXPECT_TRUE(lines.contains("T,2,nazev1,0,20,747,20,Arial,10,0,0,0,0,0,238"));
    EXPECT_TRUE(lines.contains("T,2,popis1,0,40,90,20,Arial,10,0,0,2,0,0,238"));
    EXPECT_TRUE(lines.contains("T,7,0,0,60,747,3,,1,0,0,8,15,0"));  // more than one row
    EXPECT_TRUE(lines.contains("H,7,0,0,68,747,3,,1,0,0,8,15,0"));
    EXPECT_TRUE(lines.contains("I,3,1,1,76"));
    EXPECT_TRUE(lines.contains("I,3,2,1,68"));
    for (const QString& l : lines) EXPECT_FALSE(l.startsWith("H,3")) << l.toStdString();
    for (const QString& l : lines) EXPECT_FALSE(l.contains("neni")) << l.toStdString();
}

TEST(NewReportWizard, RowLayoutStopsAtThePageEnd) {
    QList<WizardField> fields;
    QStringList chosen;
    for (int i = 0; i < 60; ++i) {
        fields << WizardField{QStringLiteral("f%1").arg(i), {}, 10, 0};
        chosen << fields.last().name;
    }
    WizardOptions o = columnOptions();
    o.rows = true;
    const QStringList lines = generateReportLines(chosen, fields, o);
    int values = 0, labels = 0, lastY = -1;
    for (const QString& l : lines) {
        if (l.startsWith("T,2,")) {
            ++values;
            lastY = l.section(u',', 4, 4).toInt();
            EXPECT_EQ(l.section(u',', 3, 3), QStringLiteral("92"));  // 12 x 7 + 8
        }
        if (l.startsWith("T,3,")) ++labels;
    }
    EXPECT_EQ(values, 42);  // rows end at 20, 40 ... 840; the next would end at 860 > 856
    EXPECT_EQ(labels, 42);
    EXPECT_EQ(lastY, 820);
    EXPECT_TRUE(lines.contains("T,3,0,0,0,84,20,Arial,10,0,0,1,0,0,238"));
    EXPECT_TRUE(lines.contains("T,7,0,0,848,747,3,,1,0,0,8,15,0"));
    EXPECT_TRUE(lines.contains("I,3,1,1,16"));
    EXPECT_TRUE(lines.contains("I,3,2,1,856"));
    EXPECT_TRUE(lines.contains("H,7,0,0,5,747,3,,1,0,0,8,15,0"));
}

TEST(NewReportWizard, MovingFieldsBetweenTheLists) {
    QStringList available{"a", "b", "c"}, chosen;
    moveWizardFields(available, chosen, {2, 0, 2});
    EXPECT_EQ(available, QStringList{"b"});
    EXPECT_EQ(chosen, (QStringList{"a", "c"}));
}

// Both layouts over the first 15 fields of the label record render without error.
TEST(NewReportWizard, GeneratedTemplatesRender) {
    ASSERT_TRUE(test::cliBuilt()) << "dorvana-cli is not built";
    QTemporaryDir dir;
    const QString db = dir.filePath("etikety.db");
    const test::CliRun imported = test::runCli(
        "import", {test::sourcePath("samples/data/zbozi.csv"), db});
    ASSERT_EQ(imported.exitCode, 0) << imported.error.toStdString();
    QString error;
    const auto dataSet = openLabelDataSet(db, &error);
    ASSERT_TRUE(dataSet) << error.toStdString();
    const QList<WizardField> fields = wizardFields(*dataSet);
    ASSERT_GE(fields.size(), 15);
    QStringList chosen;
    for (int i = 0; i < 15; ++i) chosen << fields[i].name;

    for (bool rows : {false, true}) {
        WizardOptions o;
        o.printableWidth = 826 - 100;
        o.printableHeight = 1169 - 140;
        o.rows = rows;
        o.byName = rows;  // one layout by number, the other by name
        QStringList lines{"I,0,\"Průvodce\"", "I,1,1,5,1,0,0",
                          "I,2,0,826,1169,50,50,70,70,1,0,8,8,0,1"};
        lines += generateReportLines(chosen, fields, o);
        const QString pts = dir.filePath(rows ? "rows.pts" : "columns.pts");
        ASSERT_TRUE(writeTextLines(pts, lines, &error)) << error.toStdString();
        const QString out = dir.filePath("dump.json");
        const test::CliRun r = test::runCli("render", {pts, "--table", db, "--out", out});
        ASSERT_EQ(r.exitCode, 0) << r.error.toStdString();
        const QJsonObject dump = QJsonDocument::fromJson(test::fileBytes(out)).object();
        ASSERT_GE(dump["pageCount"].toInt(), 1);
        QStringList texts;
        for (const auto& e : dump["pages"].toArray()[0].toObject()["elements"].toArray())
            texts << e.toObject()["text"].toString();
        EXPECT_TRUE(texts.contains(QStringLiteral("Brambory žluté"))) << rows;
        EXPECT_TRUE(texts.contains(QStringLiteral("Nadpis sestavy"))) << rows;
        EXPECT_TRUE(texts.contains(QStringLiteral("nazev1"))) << rows;  // a field label
    }
}

}  // namespace
}  // namespace dorvana

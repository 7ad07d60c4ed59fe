#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "report/designer/dialogs/logic/report_settings_logic.h"
#include "report/model/template_writer.h"

namespace dorvana {
namespace {

QStringList linesStarting(const QStringList& lines, const QString& prefix) {
    QStringList out;
    for (const QString& l : lines)
        if (l.startsWith(prefix)) out << l;
    return out;
}

TEST(ReportSettings, ColumnsGapMarginsAndRasterReachTheTemplate) {
    ReportModel model;
    ReportSettingsValues v = reportSettingsValues(model);
    EXPECT_EQ(v.columns, 1);
    v.paper.paperWidth = 826;
    v.paper.paperHeight = 1169;
    v.paper.leftMargin = marginFromText(QStringLiteral(""));
    v.columns = columnsFromText(QStringLiteral("3"));
    v.gap = marginFromText(QStringLiteral("10"));
    v.rasterXText = QStringLiteral("x");  // a non-number becomes 8
    v.rasterYText = QString::number(rasterYForSpacing(1));
    v.title = QStringLiteral("Štítky");
    applyReportSettings(model, v);
    const QStringList lines = writeTemplate(model);
    EXPECT_EQ(linesStarting(lines, "I,2,").value(0),
              QStringLiteral("I,2,0,826,1169,0,50,70,70,3,10,8,24,0,1"));
    EXPECT_EQ(linesStarting(lines, "I,0,").value(0), QStringLiteral("I,0,\"Štítky\""));
}

TEST(ReportSettings, TextRules) {
    EXPECT_EQ(columnsFromText(""), 1);
    EXPECT_EQ(columnsFromText("-2"), 1);
    EXPECT_EQ(columnsFromText("0"), 1);
    EXPECT_EQ(marginFromText("abc"), 0);
    EXPECT_EQ(sectionHeightFromText("x"), 24);
    EXPECT_EQ(sectionHeightFromText("30"), 30);
    EXPECT_EQ(rasterXForPitch(0), 10);
    EXPECT_EQ(rasterXForPitch(1), 8);
    EXPECT_EQ(rasterXForPitch(2), 6);
    EXPECT_EQ(rasterYForSpacing(0), 16);
    EXPECT_EQ(rasterYForSpacing(2), 32);
    EXPECT_EQ(marginLimits(826, 1169).horizontal, 413);
    EXPECT_EQ(marginLimits(826, 1169).vertical, 584);
    EXPECT_EQ(sizeInUnits(826, 1169), QStringLiteral("826 x 1169 [bodů]"));
    EXPECT_EQ(sizeInMm(826, 1169), QStringLiteral("210 x 297 [mm]"));
}

TEST(ReportSettings, LabelSizeOfTwoColumns) {
    PageGeometry p;
    p.paperWidth = 827;
    p.leftMargin = p.rightMargin = p.topMargin = p.bottomMargin = 0;
    EXPECT_EQ(labelWidth(p, 2, 20), 403);
    EXPECT_EQ(labelWidth(p, 1, 20), 827);
}

TEST(ReportSettings, PaperDrawingCells) {
    PageGeometry p;  // A4 portrait, margins 50/50/70/70
    const PaperDrawing one = paperDrawing(203, 203, p, 1, 0);
    ASSERT_EQ(one.cells.size(), 1);
    EXPECT_EQ(one.cells.first(), one.printable);
    EXPECT_EQ(one.shadow, one.page.translated(3, 3));
    EXPECT_TRUE(QRect(0, 0, 203, 203).contains(one.shadow));
    EXPECT_TRUE(one.page.contains(one.printable));

    const PaperDrawing two = paperDrawing(203, 203, p, 2, 20);
    ASSERT_EQ(two.cells.size(), 8);  // four rows of two
    EXPECT_EQ(two.cells[0].top(), two.printable.top());
    EXPECT_LT(two.cells[0].right(), two.cells[1].left());  // the gap shows
    // Landscape scales by the width.
    p.orientation = 1;
    const PaperDrawing wide = paperDrawing(203, 203, p, 1, 0);
    EXPECT_GT(wide.page.width(), wide.page.height());
    EXPECT_EQ(wide.page.left(), 0);
}

TEST(ReportSettings, PlansAndGroupsAreAddedAndDeletedInPlace) {
    ReportModel model;
    EXPECT_EQ(planItems(model), QStringList{"Hlavní plán sestavy"});
    EXPECT_FALSE(canDeletePlan(model, 0));
    EXPECT_EQ(addReportPlan(model), 1);
    EXPECT_EQ(addReportPlan(model), 2);
    EXPECT_EQ(planItems(model).last(), QStringLiteral("Plán sestavy 2"));
    EXPECT_FALSE(canDeletePlan(model, 1));
    EXPECT_TRUE(canDeletePlan(model, 2));
    for (TOddil* s : model.plan(2)->sections) {
        EXPECT_FALSE(s->visible);
        EXPECT_EQ(s->height, 24);
    }
    EXPECT_EQ(addReportGroup(model), 0);
    TPolSkup* g = model.group(0);
    g->field = 7;
    g->newPage = true;
    g->sections[GroupSection::Start]->visible = true;
    g->sections[GroupSection::Start]->height = 30;
    EXPECT_EQ(groupItems(model), QStringList{"Skupina 1"});
    EXPECT_TRUE(canDeleteGroup(model, 0));
    const QStringList lines = writeTemplate(model, {{"cislo", "nazev1", "nazev2", "barcode",
                                                     "cislo1", "cislo2", "cena", "popis1"}});
    EXPECT_EQ(linesStarting(lines, "I,4,").value(0),
              QStringLiteral("I,4,0,7,1,30,0,24,0,24,0,24,1,0,0,0,0,0,0,0,0"));
    EXPECT_EQ(linesStarting(lines, "I,7,").size(), 2);
}

TEST(ReportSettings, ConditionAndGroupFieldItems) {
    EXPECT_EQ(conditionItems({"Soucet", "Celkem"}),
              (QStringList{"Bez podmínky", "1 Soucet", "2 Celkem"}));
    EXPECT_EQ(groupFieldItems({"cislo", "nazev1"}), (QStringList{"#1  cislo", "#2  nazev1"}));
    EXPECT_EQ(planSectionRows().size(), 7);
    EXPECT_EQ(planSectionRows()[2].offset, PlanSection::CarriedOver);
    EXPECT_EQ(groupSectionRows()[3].offset, GroupSection::End);
}

TEST(ReportSettings, SortSequence) {
    const QStringList fields{"cislo", "nazev1", "nazev2", "cena"};
    SortLists lists = sortLists(fields, QStringLiteral("nazev1,-cena"));  // old plain name
    EXPECT_EQ(lists.sequence, (QStringList{"+nazev1", "-cena"}));
    EXPECT_EQ(lists.available, (QStringList{"cislo", "nazev2"}));
    EXPECT_EQ(addSortFields(lists, {1}), 0);
    EXPECT_EQ(lists.sequence.last(), QStringLiteral("+nazev2"));
    toggleSortDirection(lists, {0});
    EXPECT_EQ(lists.sequence.first(), QStringLiteral("-nazev1"));
    toggleSortDirection(lists, {0});
    EXPECT_EQ(lists.sequence.first(), QStringLiteral("+nazev1"));
    // Removing a descending entry gives back the bare name.
    EXPECT_EQ(removeSortFields(lists, {1}), 1);
    EXPECT_EQ(lists.available.last(), QStringLiteral("cena"));
    EXPECT_EQ(sortListText(lists.sequence), QStringLiteral("+nazev1,+nazev2"));

    QStringList many;
    for (int i = 0; i < 20; ++i) many << QStringLiteral("f%1").arg(i);
    SortLists full = sortLists(many, {});
    addSortFields(full, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    EXPECT_EQ(full.sequence.size(), 15);
    EXPECT_FALSE(canAddSortFields(full));
    EXPECT_EQ(full.available.size(), 5);
}

TEST(ReportSettings, QueryFileIsSwappedWithTheBuildersFile) {
    EXPECT_EQ(queryFileName(QStringLiteral("cenik.pts")), QStringLiteral("cenik-pts.stm"));
    EXPECT_EQ(queryFileName(QStringLiteral("a.b.pte")), QStringLiteral("a.b-pte.stm"));
    QTemporaryDir dir;
    QueryFileSwap swap(dir.path(), QStringLiteral("cenik.pts"));
    QString error;
    EXPECT_TRUE(swap.begin(&error));  // no query file yet: nothing to do
    QFile f(swap.queryPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("SELECT 1");
    f.close();
    EXPECT_TRUE(swap.begin(&error));
    EXPECT_FALSE(QFile::exists(swap.queryPath()));
    EXPECT_TRUE(QFile::exists(swap.builderPath()));
    EXPECT_TRUE(swap.end(&error));
    EXPECT_TRUE(QFile::exists(swap.queryPath()));
    // A directory that cannot be written: a message, and the file keeps its name.
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!QFile::rename(swap.queryPath(), swap.builderPath())) {  // not running as root
        EXPECT_FALSE(swap.begin(&error));
        EXPECT_TRUE(error.contains(QStringLiteral("nelze přejmenovat")));
        EXPECT_TRUE(QFile::exists(swap.queryPath()));
    }
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
}

TEST(ReportSettings, MarginsAgainstThePrinter) {
    PageGeometry p;
    p.leftMargin = 10;
    const MinimumMargins m{20, 30, 5, 5};
    EXPECT_TRUE(marginsBelowMinimum(p, m));
    const PageGeometry raised = raiseMargins(p, m);
    EXPECT_EQ(raised.leftMargin, 20);
    EXPECT_EQ(raised.topMargin, 70);
    EXPECT_FALSE(marginsBelowMinimum(raised, m));
}

TEST(ReportSettings, PrintersNotChosen) {
    TPolTisk chosen;
    chosen.name = QStringLiteral("cab");
    chosen.fullName = QStringLiteral("cab");
    EXPECT_EQ(availablePrinters({"cab", "laser"}, {chosen}), QStringList{"laser"});
}

}  // namespace
}  // namespace dorvana

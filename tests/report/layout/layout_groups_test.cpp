// Two nested groups over page breaks: group sums, group ends and starts, the
// page in a group and the pages of a group written in when the group ends.
#include <gtest/gtest.h>

#include "layout_test_support.h"
#include "template_lines.h"

using namespace dorvana;
using namespace dorvana::test;

namespace {

// Records numbered from 1 with the group fields kat and pod.
std::unique_ptr<DataSet> twoGroupTable(const QStringList& kat = {"A", "A", "A", "B", "B", "B"},
                                       const QStringList& pod = {"x", "x", "y", "y", "y", "z"}) {
    FieldDefs defs{{"cislo", FieldType::Integer, 0, false},
                   {"kat", FieldType::String, 10, false},
                   {"pod", FieldType::String, 10, false}};
    QList<RawRecord> rows;
    for (int i = 0; i < kat.size(); ++i)
        rows.append({QVariant::fromValue<qint64>(i + 1), kat[i], pod[i]});
    return memoryTable(defs, rows);
}

TEST(LayoutGroups, GroupSumsAndPageCountsStayRightAcrossPageBreaks) {
    // Page 60 high, footer 10; every section 10. Group 0 by kat, group 1 by pod.
    const Built b =
        buildReport({version(1), paper(60), "I,3,2,1,10", "I,3,4,1,10",
                     "I,4,0,1,1,10,0,0,0,0,1,10,0,0,0,0,0,0,0,0,0",
                     "I,4,1,2,1,10,0,0,0,0,1,10,0,0,0,0,0,0,0,0,0",
                     sumFunction("SumaKat", "#cislo", 2), sumFunction("SumaPod", "#cislo", 3),
                     field("T", 0, 0, 0), field("S0", 1, 0, 0), variable("S0", 11, 100, 0, "ze %d"),
                     field("S1", 2, 0, 0), function("U0", 0, 200, 0), function("U1", 1, 100, 0),
                     variable("P", 10, 0, 0, "sk%d"), variable("P", 3, 100, 0, "s%d")},
                    twoGroupTable());
    ASSERT_EQ(b.run->pageCount(), 4);
    // Group A spans two pages: its start shows "ze 2" once A has ended.
    EXPECT_EQ(b.placed(0), (QStringList{"A@0,0", "ze 2@100,0", "x@0,10", "1@0,20", "2@0,30",
                                        "3@100,40", "sk1@0,50", "s1@100,50"}));
    EXPECT_EQ(b.placed(1),
              (QStringList{"y@0,0", "3@0,10", "3@100,20", "6@200,30", "sk2@0,50", "s2@100,50"}));
    EXPECT_EQ(b.placed(2), (QStringList{"B@0,0", "ze 2@100,0", "y@0,10", "4@0,20", "5@0,30",
                                        "9@100,40", "sk1@0,50", "s3@100,50"}));
    EXPECT_EQ(b.placed(3),
              (QStringList{"z@0,0", "6@0,10", "6@100,20", "15@200,30", "sk2@0,50", "s4@100,50"}));

    // Building again (as after a correction or a changed parameter) gives the same pages.
    QList<QStringList> first;
    for (int p = 0; p < 4; ++p) first << b.placed(p);
    NoProgress none;
    EXPECT_TRUE(b.run->build(none));
    ASSERT_EQ(b.run->pageCount(), 4);
    for (int p = 0; p < 4; ++p) EXPECT_EQ(b.placed(p), first[p]) << "page " << p;
    EXPECT_EQ(b.table->recNo(), 1) << "the data set is back on its first record";
}

TEST(LayoutGroups, PageThatAGroupChangeBreaksShowsTheNewGroup) {
    // Group A fills two pages exactly, so the change to B breaks the page
    // whether or not the group asks for a new page. The last footer of A
    // counts A's pages; the header of B's first page shows B's number and field.
    for (const int newPage : {0, 1}) {
        const QStringList lines = {
            version(1),
            paper(50),
            "I,3,1,1,10",
            "I,3,2,1,10",
            "I,3,4,1,10",
            QStringLiteral("I,4,0,1,0,0,0,0,0,0,0,0,%1,0,0,0,0,0,0,0,0").arg(newPage),
            variable("H", 9, 0, 0, "skupina %d"),
            field("H", 1, 100, 0),
            field("T", 0, 0, 0),
            variable("P", 10, 0, 0, "sk%d"),
            variable("P", 11, 100, 0, "ze %d")};
        const QStringList cats = {"A", "A", "A", "A", "A", "A", "B", "B"};
        const Built b = buildReport(lines, numberTable(8, cats));
        ASSERT_EQ(b.run->pageCount(), 3) << "new page " << newPage;
        EXPECT_EQ(b.placed(0), (QStringList{"skupina 1@0,0", "A@100,0", "1@0,10", "2@0,20",
                                            "3@0,30", "sk1@0,40", "ze 2@100,40"}))
            << "new page " << newPage;
        EXPECT_EQ(b.placed(1), (QStringList{"skupina 1@0,0", "A@100,0", "4@0,10", "5@0,20",
                                            "6@0,30", "sk2@0,40", "ze 2@100,40"}))
            << "new page " << newPage;
        EXPECT_EQ(b.placed(2), (QStringList{"skupina 2@0,0", "B@100,0", "7@0,10", "8@0,20",
                                            "sk1@0,40", "ze 1@100,40"}))
            << "new page " << newPage;

        // A page limit at A's last page still counts A's pages there.
        RunOptions limit;
        limit.EndPage = 2;
        const Built limited = buildReport(lines, numberTable(8, cats), limit);
        ASSERT_EQ(limited.run->pageCount(), 2) << "new page " << newPage;
        EXPECT_EQ(limited.placed(1), b.placed(1)) << "new page " << newPage;
    }
}

TEST(LayoutGroups, CarriedSectionsOfNestedGroupsWrapThePageBreak) {
    // Both groups carry forward inner first and carry over outer first.
    const Built b = buildReport(
        {version(1), paper(60), "I,3,2,1,10", "I,4,0,1,0,0,1,10,1,10,0,0,0,0,0,0,0,0,0,0,0",
         "I,4,1,1,0,0,1,10,1,10,0,0,0,0,0,0,0,0,0,0,0", field("T", 0, 0, 0),
         label("N0", 0, 0, "N0"), label("D0", 0, 0, "D0"), label("N1", 0, 0, "N1"),
         label("D1", 0, 0, "D1")},
        numberTable(6, {"A"}));
    ASSERT_EQ(b.run->pageCount(), 2);
    EXPECT_EQ(b.placed(0),
              (QStringList{"1@0,0", "2@0,10", "3@0,20", "4@0,30", "D1@0,40", "D0@0,50"}));
    EXPECT_EQ(b.placed(1), (QStringList{"N0@0,0", "N1@0,10", "5@0,20", "6@0,30"}));
}

TEST(LayoutGroups, CarriedSectionsLeaveOutTheGroupThatChangesAtTheBreak) {
    // The inner group (pod) changes where the page breaks: only the outer
    // group carries, after the main plan's and plan 1's carried sections.
    const QString plan = "I,7,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,10,0,0,1,10,0,0,0,0";
    const Built b =
        buildReport({version(1), paper(70), "I,3,2,1,10", "I,3,5,1,10", "I,3,6,1,10", plan,
                     "I,4,0,1,0,0,1,10,1,10,0,0,0,0,0,0,0,0,0,0,0",
                     "I,4,1,2,0,0,1,10,1,10,0,0,0,0,0,0,0,0,0,0,0", field("T", 0, 0, 0),
                     label("N", 0, 0, "N"), label("D", 0, 0, "D"), label("PN1", 0, 0, "PN1"),
                     label("PS1", 0, 0, "PS1"), label("N0", 0, 0, "N0"), label("D0", 0, 0, "D0"),
                     label("N1", 0, 0, "N1"), label("D1", 0, 0, "D1")},
                    twoGroupTable({"A", "A", "A", "A", "A"}, {"x", "x", "x", "y", "y"}));
    ASSERT_EQ(b.run->pageCount(), 2);
    EXPECT_EQ(b.placed(0),
              (QStringList{"1@0,0", "2@0,10", "3@0,20", "D0@0,30", "D@0,40", "PS1@0,50"}));
    EXPECT_EQ(b.placed(1), (QStringList{"N@0,0", "PN1@0,10", "N0@0,20", "4@0,30", "5@0,40"}));
}

TEST(LayoutGroups, GroupVariablesCountRowsAndGroups) {
    // Body: row in group 0, group ordinal; one page.
    const Built b = buildReport(
        {version(1), paper(500), "I,3,2,1,10", "I,4,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0",
         variable("T", 8, 0, 0), variable("T", 9, 100, 0), variable("T", 2, 200, 0)},
        numberTable(5, {"A", "A", "B", "B", "B"}));
    EXPECT_EQ(b.texts(0), (QStringList{"1", "1", "1", "2", "1", "2", "1", "2", "3", "2", "2", "4",
                                       "3", "2", "5"}));
}

}  // namespace

// Reports built from small templates over small tables: where every section
// and record lands, and the numbers printed on the pages.
#include <gtest/gtest.h>

#include "layout_test_support.h"
#include "template_lines.h"

using namespace dorvana;
using namespace dorvana::test;

namespace {

// Sections of the main plan.
constexpr int kStart = 0, kHeader = 1, kBody = 2, kEnd = 3, kFooter = 4, kCarriedOver = 5,
              kCarriedForward = 6;

TEST(LayoutScenario, ThreeColumnsSevenRecordsFinishTheRowBeforeTheEnd) {
    const Built b = buildReport({version(1), paper(500, 300, 3, 0), section(kBody, 20),
                                 section(kEnd, 10), field("T", 0, 0, 0), label("K", 0, 0, "konec")},
                                numberTable(7));
    EXPECT_TRUE(b.result);
    EXPECT_EQ(b.run->pageCount(), 1);
    EXPECT_EQ(b.placed(0), (QStringList{"1@0,0", "2@100,0", "3@200,0", "4@0,20", "5@100,20",
                                        "6@200,20", "7@0,40", "konec@0,60"}));
}

TEST(LayoutScenario, PrintedCopiesOfATemplateElementShareOneStyle) {
    const Built b = buildReport(
        {version(1), paper(40), section(kBody, 20), field("T", 0, 0, 0), label("T", 100, 0, "x")},
        numberTable(4));
    ASSERT_EQ(b.run->pageCount(), 2);
    const PageStore& pages = b.run->pages();
    EXPECT_EQ(pages.page(0).element(0).sharedStyle(), pages.page(1).element(2).sharedStyle());
    EXPECT_EQ(pages.page(0).element(1).sharedStyle(), pages.page(1).element(3).sharedStyle());
    EXPECT_NE(pages.page(0).element(0).sharedStyle(), pages.page(0).element(1).sharedStyle());
    EXPECT_EQ(pages.page(0).element(0).style().kind, 2);
    EXPECT_EQ(pages.page(0).element(0).font().name, "Arial");
}

TEST(LayoutScenario, MaxRecordsPrintsOneMoreRecordAndTotalsOnlyThePrinted) {
    // The sum in the report end counts exactly the records printed.
    struct Case {
        int maxRecords;
        QStringList texts;
    };
    const Case cases[] = {
        {0, {"1", "2", "3", "4", "5", "15"}},
        {2, {"1", "2", "3", "6"}},
        {4, {"1", "2", "3", "4", "5", "15"}},
        {9, {"1", "2", "3", "4", "5", "15"}},
    };
    for (const Case& c : cases) {
        RunOptions options;
        options.MaxRecords = c.maxRecords;
        const Built b = buildReport(
            {version(1), paper(500), section(kBody, 10), section(kEnd, 10),
             sumFunction("Suma", "#cislo"), field("T", 0, 0, 0), function("K", 0, 0, 0)},
            numberTable(5), options);
        EXPECT_EQ(b.texts(0), c.texts) << "MaxRecords " << c.maxRecords;
    }
}

TEST(LayoutScenario, RunningAndPageSumsInCarriedSectionsAndFooters) {
    // Running sum (function 1) carried forward and over; page sum (function 2) in the footer.
    const Built b = buildReport(
        {version(1), paper(50), section(kBody, 10), section(kFooter, 10), section(kCarriedOver, 10),
         section(kCarriedForward, 10), sumFunction("Celkem", "#cislo"),
         sumFunction("Strana", "#cislo", 1), field("T", 0, 0, 0), label("D", 0, 0, "převádí se"),
         function("D", 0, 100, 0), label("N", 0, 0, "převedeno"), function("N", 0, 100, 0),
         function("P", 1, 100, 0)},
        numberTable(6));
    ASSERT_EQ(b.run->pageCount(), 2);
    EXPECT_EQ(b.placed(0), (QStringList{"1@0,0", "2@0,10", "3@0,20", "převádí se@0,30", "6@100,30",
                                        "6@100,40"}));
    EXPECT_EQ(b.placed(1),
              (QStringList{"převedeno@0,0", "6@100,0", "4@0,10", "5@0,20", "6@0,30", "15@100,40"}));
}

// Page height 100, body 20, carried forward and carried over 10 each.
QStringList carryTemplate() {
    return {version(1),
            paper(100),
            section(kBody, 20),
            section(kCarriedOver, 10),
            section(kCarriedForward, 10),
            field("T", 0, 0, 0),
            label("N", 0, 0, "převedeno"),
            label("D", 0, 0, "převádí se")};
}

TEST(LayoutScenario, CarriedForwardOnlyAtBreaksCarriedOverOnlyAfterThem) {
    const Built b = buildReport(carryTemplate(), numberTable(7));
    ASSERT_EQ(b.run->pageCount(), 2);
    EXPECT_EQ(b.placed(0), (QStringList{"1@0,0", "2@0,20", "3@0,40", "4@0,60", "převádí se@0,80"}));
    // The last page has room for its records and carries nothing forward.
    EXPECT_EQ(b.placed(1), (QStringList{"převedeno@0,0", "5@0,10", "6@0,30", "7@0,50"}));
}

TEST(LayoutScenario, LastRecordNeedsNoRoomForTheCarriedForwardSection) {
    // Four records fill the page to 80; without a fifth nothing is carried forward.
    const Built b = buildReport(carryTemplate(), numberTable(5));
    ASSERT_EQ(b.run->pageCount(), 1);
    EXPECT_EQ(b.texts(0), (QStringList{"1", "2", "3", "4", "5"}));
}

TEST(LayoutScenario, EndPageOneBuildsExactlyOnePageWithoutCancelling) {
    RunOptions options;
    options.EndPage = 1;
    const Built b = buildReport(carryTemplate(), numberTable(30), options);
    EXPECT_TRUE(b.result);
    EXPECT_FALSE(b.run->cancelled());
    EXPECT_EQ(b.run->pageCount(), 1);
    EXPECT_EQ(b.run->pages().pageCount(), 1);
    EXPECT_EQ(b.texts(0), (QStringList{"1", "2", "3", "4", "převádí se"}));

    // A first pass that ends on the last allowed page leaves no page to the next pass.
    const Built twoPasses = buildReport(
        {version(2), paper(100), section(kBody, 10), field("T", 0, 0, 0)}, numberTable(2), options);
    EXPECT_TRUE(twoPasses.result);
    EXPECT_EQ(twoPasses.run->pageCount(), 1);
    EXPECT_EQ(twoPasses.run->pages().pageCount(), 1);
    EXPECT_EQ(twoPasses.placed(0), (QStringList{"1@0,0", "2@0,10"}));
}

TEST(LayoutScenario, TwoPassesContinuePageNumbersAndRestartPassNumbers) {
    // Two records per page; footer: page, total pages, pass page, pass pages.
    const Built b = buildReport(
        {version(2), paper(60), section(kBody, 20), section(kFooter, 10), variable("T", 2, 0, 0),
         variable("T", 5, 100, 0), variable("P", 3, 0, 0, "s%d"), variable("P", 4, 50, 0, "z%d"),
         variable("P", 6, 100, 0, "ps%d"), variable("P", 7, 150, 0, "pz%d")},
        numberTable(3));
    ASSERT_EQ(b.run->pageCount(), 4);
    ASSERT_EQ(b.run->pages().pageCount(), 4);
    EXPECT_EQ(b.texts(0), (QStringList{"1", "1", "2", "2", "s1", "z4", "ps1", "pz2"}));
    EXPECT_EQ(b.texts(1), (QStringList{"3", "3", "s2", "z4", "ps2", "pz2"}));
    // The second pass starts a new page: row numbers go on, pass row numbers start again.
    EXPECT_EQ(b.texts(2), (QStringList{"4", "1", "5", "2", "s3", "z4", "ps1", "pz2"}));
    EXPECT_EQ(b.texts(3), (QStringList{"6", "3", "s4", "z4", "ps2", "pz2"}));
    EXPECT_EQ(b.placed(1).last(), "pz2@150,50") << "the footer sits at the bottom of the page";
}

TEST(LayoutScenario, NewPageGroupBreaksOnlyInPassesWhereItsSectionsPrint) {
    struct Case {
        const char* what;
        QString groupLine;
        QList<QStringList> pages;
    };
    const Case cases[] = {
        // Group start visible in pass 2 only: pass 1 is one page, pass 2 breaks at B.
        {"start printed in pass 2",
         "I,4,0,1,1,10,0,0,0,0,0,0,1,2,0,0,0,0,0,0,0",
         {{"1@0,0", "2@0,10", "3@0,20", "4@0,30"},
          {"A@0,0", "1@0,10", "2@0,20"},
          {"B@0,0", "3@0,10", "4@0,20"}}},
        // All four sections hidden: every pass breaks at B.
        {"all sections hidden",
         "I,4,0,1,0,10,0,0,0,0,0,0,1,0,0,0,0,0,0,0,0",
         {{"1@0,0", "2@0,10"}, {"3@0,0", "4@0,10"}, {"1@0,0", "2@0,10"}, {"3@0,0", "4@0,10"}}},
        // Without "new page" nothing breaks.
        {"no new page",
         "I,4,0,1,1,10,0,0,0,0,0,0,0,2,0,0,0,0,0,0,0",
         {{"1@0,0", "2@0,10", "3@0,20", "4@0,30"},
          {"A@0,0", "1@0,10", "2@0,20", "B@0,30", "3@0,40", "4@0,50"}}},
    };
    for (const Case& c : cases) {
        const Built b = buildReport({version(2), paper(500), section(kBody, 10), c.groupLine,
                                     field("T", 0, 0, 0), field("S0", 1, 0, 0)},
                                    numberTable(4, {"A", "A", "B", "B"}));
        ASSERT_EQ(b.run->pageCount(), c.pages.size()) << c.what;
        for (int p = 0; p < c.pages.size(); ++p) EXPECT_EQ(b.placed(p), c.pages[p]) << c.what;
    }
}

TEST(LayoutScenario, GrowingMemoPushesWhatLiesBelowIt) {
    // Five lines of 10 pt in an element 30 high: 5 * 10 * 3 / 2 - 30 = 45.
    struct Case {
        int align;
        int growth;
    };
    for (const Case& c : {Case{64, 45}, Case{0, 0}}) {
        FieldDefs defs{{"cislo", FieldType::Integer, 0, false},
                       {"pozn", FieldType::Memo, 0, false}};
        auto table = memoryTable(defs, {{QVariant::fromValue<qint64>(1), "a\nb\nc\nd\ne"}});
        const Built b =
            buildReport({version(1), paper(500), section(kBody, 50), section(kEnd, 10),
                         label("T", 0, 0, "nad"), field("T", 1, 0, 10, 200, 30, c.align),
                         label("T", 0, 40, "pod"), label("K", 0, 0, "konec")},
                        std::move(table));
        EXPECT_EQ(b.placed(0), (QStringList{"nad@0,0", "a|b|c|d|e@0,10",
                                            QStringLiteral("pod@0,%1").arg(40 + c.growth),
                                            QStringLiteral("konec@0,%1").arg(50 + c.growth)}))
            << "align " << c.align;
        EXPECT_EQ(b.run->pages().page(0).element(1).H, 30 + c.growth);
        EXPECT_TRUE(b.run->pages().page(0).element(1).memo);
    }
}

TEST(LayoutScenario, ColumnRowsMakeRoomForTheTallestMemoOfTheRow) {
    // Two columns 100 wide; a memo of three lines of 10 pt in an element 15
    // high grows by 30, whichever column it lands in.
    struct Case {
        const char* what;
        int pageHeight;
        QStringList memos;
        QList<QStringList> pages;
    };
    const QString tall = "a\nb\nc";
    const Case cases[] = {
        {"tall memo in the first column",
         500,
         {tall, "d", "e"},
         {{"1@50,0", "a|b|c@0,0", "2@150,0", "d@100,0", "3@50,50", "e@0,50", "konec@0,70"}}},
        {"tall memo in a half-filled last row",
         500,
         {"d", "e", tall},
         {{"1@50,0", "d@0,0", "2@150,0", "e@100,0", "3@50,20", "a|b|c@0,20", "konec@0,70"}}},
        {"the row's memo decides whether the next column fits",
         75,
         {"d", "e", tall, "f"},
         {{"1@50,0", "d@0,0", "2@150,0", "e@100,0", "3@50,20", "a|b|c@0,20"},
          {"4@50,0", "f@0,0", "konec@0,20"}}},
    };
    for (const Case& c : cases) {
        FieldDefs defs{{"cislo", FieldType::Integer, 0, false},
                       {"pozn", FieldType::Memo, 0, false}};
        QList<RawRecord> rows;
        for (int i = 0; i < c.memos.size(); ++i)
            rows.append({QVariant::fromValue<qint64>(i + 1), c.memos[i]});
        const Built b = buildReport({version(1), paper(c.pageHeight, 200, 2, 0), section(kBody, 20),
                                     section(kEnd, 10), field("T", 0, 50, 0, 40, 10),
                                     field("T", 1, 0, 0, 40, 15, 64), label("K", 0, 0, "konec")},
                                    memoryTable(defs, rows));
        ASSERT_EQ(b.run->pageCount(), c.pages.size()) << c.what;
        for (int p = 0; p < c.pages.size(); ++p) EXPECT_EQ(b.placed(p), c.pages[p]) << c.what;
    }
}

TEST(LayoutScenario, RecordWhoseMemoGrowsPastThePageGoesToTheNextPage) {
    // Page 100, body 20; a line of 10 pt fills the memo element 15 high, six
    // lines grow it by 90 - 15 = 75, which no longer fits below the first row.
    FieldDefs defs{{"cislo", FieldType::Integer, 0, false}, {"pozn", FieldType::Memo, 0, false}};
    QList<RawRecord> rows;
    const char* memos[] = {"a", "b\nc\nd\ne\nf\ng", "h"};
    for (int i = 0; i < 3; ++i) rows.append({QVariant::fromValue<qint64>(i + 1), memos[i]});
    const Built b = buildReport({version(1), paper(100), section(kBody, 20),
                                 field("T", 1, 0, 0, 90, 15, 64), field("T", 0, 100, 0)},
                                memoryTable(defs, rows));
    ASSERT_EQ(b.run->pageCount(), 3);
    EXPECT_EQ(b.placed(0), (QStringList{"a@0,0", "1@100,0"}));
    EXPECT_EQ(b.placed(1), (QStringList{"b|c|d|e|f|g@0,0", "2@100,0"}));
    EXPECT_EQ(b.placed(2), (QStringList{"h@0,0", "3@100,0"}));
}

TEST(LayoutScenario, PageFootersOfPlansFollowTheMainAtBreaksAndPrecedeItAtTheEnd) {
    // Plan 1 has a page footer of 10, like the main plan.
    const QString plan = "I,7,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,10,0,0,0,0,0,0,0,0,0,0,0,0";
    const Built b =
        buildReport({version(1), paper(40), section(kBody, 10), section(kFooter, 10), plan,
                     field("T", 0, 0, 0), label("P", 0, 0, "pata"), label("P1", 0, 0, "pata 1")},
                    numberTable(3));
    ASSERT_EQ(b.run->pageCount(), 2);
    EXPECT_EQ(b.placed(0), (QStringList{"1@0,0", "2@0,10", "pata@0,20", "pata 1@0,30"}));
    EXPECT_EQ(b.placed(1), (QStringList{"3@0,0", "pata 1@0,20", "pata@0,30"}));
}

TEST(LayoutScenario, MemoLinesAreMeasuredInTheElementsFont) {
    // Courier New 10 pt: 8.33 units a character, so 7 fit in 60. Two lines
    // of 15 in an element 10 high grow it by 20.
    FieldDefs defs{{"cislo", FieldType::Integer, 0, false}, {"pozn", FieldType::Memo, 0, false}};
    auto table = memoryTable(defs, {{QVariant::fromValue<qint64>(1), "abcdefghijklmn"}});
    const Built b =
        buildReport({version(1), paper(500), section(kBody, 10), section(kEnd, 10),
                     "T,2,1,0,0,60,10,Courier New,10,0,0,64,0,1,238", label("K", 0, 0, "konec")},
                    std::move(table));
    EXPECT_EQ(b.placed(0), (QStringList{"abcdefg|hijklmn@0,0", "konec@0,30"}));
}

TEST(LayoutScenario, EmptyDataSetPrintsStartsEndsAndNoBodyRows) {
    const Built b =
        buildReport({version(1), paper(100), section(kStart, 10), section(kHeader, 10),
                     section(kBody, 10), section(kEnd, 10), section(kFooter, 10),
                     sumFunction("Pocet", "", 0, 1), label("Z", 0, 0, "začátek"),
                     label("H", 0, 0, "hlava"), field("T", 0, 0, 0), label("T", 100, 0, "řádek"),
                     label("K", 0, 0, "konec"), function("K", 0, 100, 0), label("P", 0, 0, "pata")},
                    numberTable(0));
    EXPECT_TRUE(b.result);
    EXPECT_EQ(b.run->pageCount(), 1);
    EXPECT_EQ(b.placed(0),
              (QStringList{"začátek@0,0", "hlava@0,10", "konec@0,20", "@100,20", "pata@0,90"}));
}

TEST(LayoutScenario, CancelledBuildKeepsItsPagesAndWritesQuestionMarks) {
    // A group over all records (its field is empty) counts pages in the footer too.
    QStringList lines = carryTemplate();
    lines << section(kFooter, 10) << "I,4,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"
          << variable("P", 4, 0, 0) << variable("P", 7, 100, 0) << variable("P", 11, 200, 0);
    CancelAtPage cancel(2);
    const Built b = buildReport(lines, numberTable(30), {}, &cancel);
    EXPECT_FALSE(b.result);
    EXPECT_TRUE(b.run->cancelled());
    EXPECT_EQ(b.run->pageCount(), 2);
    EXPECT_EQ(cancel.lastText, "Připravuji tisk stránky číslo: 2");
    // Page 1 is complete up to its footer; nothing follows the cancel.
    EXPECT_EQ(b.texts(0), (QStringList{"1", "2", "3", "4", "převádí se", "???", "???", "???"}));
    EXPECT_TRUE(b.texts(1).isEmpty());
}

TEST(LayoutScenario, PageFillingRepeatsTheMainBodyAfterThePlanRecords) {
    // The records print in plan 1's body; the main body fills the page.
    const QString plan = "I,7,0,0,0,0,0,0,0,0,0,1,20,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0";
    const Built b = buildReport({version(1, true, false), paper(100), section(kBody, 20), plan,
                                 label("T", 0, 0, "---"), field("T1", 0, 0, 0)},
                                numberTable(2));
    EXPECT_EQ(b.placed(0), (QStringList{"1@0,0", "2@0,20", "---@0,40", "---@0,60", "---@0,80"}));
}

TEST(LayoutScenario, PlanBodyFillsThePageInColumnsLikeItsRecordRows) {
    // Two columns; the main body prints the records, plan 1's body fills the
    // page, continuing the half-filled row.
    const QString plan = "I,7,0,0,0,0,0,0,0,0,0,1,20,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,0";
    const Built b = buildReport({version(1), paper(60, 200, 2), section(kBody, 20), plan,
                                 field("T", 0, 0, 0), label("T1", 0, 0, "---")},
                                numberTable(3));
    ASSERT_EQ(b.run->pageCount(), 1);
    EXPECT_EQ(b.placed(0),
              (QStringList{"1@0,0", "2@100,0", "3@0,20", "---@100,20", "---@0,40", "---@100,40"}));
}

TEST(LayoutScenario, GroupFillingFillsEachGroupBeforeItsEnd) {
    const QString plan = "I,7,0,0,0,0,0,0,0,0,0,1,20,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0";
    const QString group = "I,4,0,1,0,0,0,0,0,0,1,10,0,0,0,0,0,0,0,0,0";
    const Built b =
        buildReport({version(1, false, true), paper(100), section(kBody, 20), plan, group,
                     label("T", 0, 0, "---"), field("T1", 0, 0, 0), label("U0", 0, 0, "konec")},
                    numberTable(3, {"A", "A", "B"}));
    ASSERT_EQ(b.run->pageCount(), 2);
    EXPECT_EQ(b.placed(0), (QStringList{"1@0,0", "2@0,20", "---@0,40", "---@0,60", "konec@0,80"}));
    EXPECT_EQ(b.placed(1),
              (QStringList{"3@0,0", "---@0,20", "---@0,40", "---@0,60", "konec@0,80"}));
}

TEST(LayoutScenario, GroupFillingStopsWhenTheRowInGroupReachesTheCondition) {
    // Filler rows print while the group holds fewer than four rows: the row
    // in group (variable 8, "$9") counts the filler rows too.
    const QString plan = "I,7,0,0,0,0,0,0,0,0,0,1,10,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0";
    const QString group = "I,4,0,1,0,0,0,0,0,0,1,10,0,0,0,0,0,0,0,0,0";
    const Built b =
        buildReport({version(1, false, true), paper(500), section(kBody, 10, 0, 1), plan, group,
                     "F,3,Doplnit,\"\",3,\"0\",0,\"$9<4\",0,15,0,0,\"\"", label("T", 0, 0, "---"),
                     field("T1", 0, 0, 0), label("U0", 0, 0, "konec")},
                    numberTable(3, {"A", "A", "B"}));
    ASSERT_EQ(b.run->pageCount(), 1);
    EXPECT_EQ(b.placed(0),
              (QStringList{"1@0,0", "2@0,10", "---@0,20", "---@0,30", "konec@0,40", "3@0,50",
                           "---@0,60", "---@0,70", "---@0,80", "konec@0,90"}));
}

TEST(LayoutScenario, OneRecordPrintsTheCurrentRecordOnly) {
    auto table = numberTable(5);
    table->setRecNo(3);
    RunOptions options;
    options.TiskJedenZaznam = true;
    const Built b = buildReport({version(1), paper(100), section(kBody, 10), field("T", 0, 0, 0)},
                                std::move(table), options);
    EXPECT_EQ(b.texts(0), QStringList{"3"});
    EXPECT_EQ(b.table->recNo(), 3) << "the data set stays where it was";
}

}  // namespace

// Section print conditions during a build: a condition function decides per
// record, and a section that will not print takes no room on the page.
#include <gtest/gtest.h>

#include "layout_test_support.h"
#include "template_lines.h"

using namespace dorvana;
using namespace dorvana::test;

namespace {

QString booleanFunction(const QString& name, const QString& expression) {
    return QStringLiteral("F,0,%1,\"\",3,\"0\",0,\"%2\",0,15,0,0,\"\"").arg(name, expression);
}

TEST(LayoutConditions, BodyPrintsOnlyForRecordsWhoseConditionHolds) {
    const Built b = buildReport({version(1), paper(500), section(2, 10, 0, 1),
                                 booleanFunction("Vetsi", "#cislo>2"), field("T", 0, 0, 0)},
                                numberTable(5));
    EXPECT_EQ(b.placed(0), (QStringList{"3@0,0", "4@0,10", "5@0,20"}));
}

TEST(LayoutConditions, NewPageHeaderJudgesTheRecordThatOpensThePage) {
    // At the break before record 5 the function's current value (record 5)
    // holds while its printed value (record 4) does not: the header prints.
    const Built b = buildReport(
        {version(1), paper(40), section(2, 10), section(1, 10, 0, 1),
         booleanFunction("Dalsi", "#cislo>4"), field("T", 0, 0, 0), label("H", 0, 0, "hlava")},
        numberTable(6));
    ASSERT_EQ(b.run->pageCount(), 2);
    EXPECT_EQ(b.placed(0), (QStringList{"1@0,0", "2@0,10", "3@0,20", "4@0,30"}));
    EXPECT_EQ(b.placed(1), (QStringList{"hlava@0,0", "5@0,10", "6@0,20"}));
}

TEST(LayoutConditions, FooterThatWillNotPrintReservesNoRoom) {
    struct Case {
        int footerCondition;  // function 2 never holds, function 1 always does
        int pages;
        QStringList firstPage;
    };
    const Case cases[] = {
        {2, 1, {"1", "2", "3", "4"}},
        {1, 2, {"1", "2", "3", "pata"}},
        {0, 2, {"1", "2", "3", "pata"}},
    };
    for (const Case& c : cases) {
        const Built b = buildReport(
            {version(1), paper(40), section(2, 10), section(4, 10, 0, c.footerCondition),
             booleanFunction("Vzdy", "#cislo>0"), booleanFunction("Nikdy", "#cislo<0"),
             field("T", 0, 0, 0), label("P", 0, 0, "pata")},
            numberTable(4));
        EXPECT_EQ(b.run->pageCount(), c.pages) << "footer condition " << c.footerCondition;
        EXPECT_EQ(b.texts(0), c.firstPage) << "footer condition " << c.footerCondition;
    }
}

TEST(LayoutConditions, SectionOfAnotherPassTakesNoRoom) {
    // The footer prints in pass 2 only; in pass 1 four rows fit on the page.
    const Built b = buildReport({version(2), paper(40), section(2, 10), section(4, 10, 2),
                                 field("T", 0, 0, 0), label("P", 0, 0, "pata")},
                                numberTable(4));
    ASSERT_EQ(b.run->pageCount(), 3);
    EXPECT_EQ(b.texts(0), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(b.texts(1), (QStringList{"1", "2", "3", "pata"}));
    EXPECT_EQ(b.texts(2), (QStringList{"4", "pata"}));
}

}  // namespace

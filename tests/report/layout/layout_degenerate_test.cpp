// Templates with figures no designer would make still build to an end:
// no endless filling, no crash, every page that is counted exists.
#include <gtest/gtest.h>

#include "layout_test_support.h"
#include "template_lines.h"

using namespace dorvana;
using namespace dorvana::test;

namespace {

TEST(LayoutDegenerate, OddFiguresBuildToAnEnd) {
    const QString fillPlan =
        "I,7,0,0,0,0,0,0,0,0,0,1,10,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0";
    const QList<QStringList> templates = {
        // Page filling with a body of no height, in one and in three columns.
        {version(1, true, false), paper(100), section(2, 0), fillPlan, label("T", 0, 0, "x")},
        {version(1, true, true), paper(100, 300, 3), section(2, 0), fillPlan,
         "I,4,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0", label("T", 0, 0, "x")},
        // A negative body height filling the page.
        {version(1, true, false), paper(100), section(2, -20), fillPlan, label("T", 0, 0, "x")},
        // Margins larger than the paper: no room at all.
        {version(1), "I,2,0,300,100,0,0,80,80,1,0", section(2, 10), section(4, 10),
         field("T", 0, 0, 0)},
        // Columns 0, and far more columns than the width holds.
        {version(1), paper(100, 300, 0), section(2, 10), field("T", 0, 0, 0)},
        {version(1), paper(100, 300, 5000, -7), section(2, 10), field("T", 0, 0, 0)},
        // A body taller than the page, and a memo that grows without end.
        {version(1), paper(100), section(2, 500), field("T", 0, 0, 0)},
        {version(1), paper(100), section(2, 10), "T,2,1,0,0,10,10,Arial,30000,0,0,64,0,1,238"},
        // The same memo in rows of three columns, printing records and filling the page.
        {version(1), paper(100, 300, 3), section(2, 10),
         "T,2,1,0,0,10,10,Arial,30000,0,0,64,0,1,238"},
        {version(1, true, false), paper(100, 300, 3), section(2, 10), fillPlan,
         "T,2,1,0,0,10,10,Arial,30000,0,0,64,0,1,238"},
    };
    FieldDefs defs{{"cislo", FieldType::Integer, 0, false}, {"pozn", FieldType::Memo, 0, false}};
    QList<RawRecord> rows;
    for (int i = 1; i <= 12; ++i)
        rows.append({QVariant::fromValue<qint64>(i), QString(200, QLatin1Char('\n'))});
    for (int t = 0; t < templates.size(); ++t) {
        const Built b = buildReport(templates[t], memoryTable(defs, rows));
        EXPECT_TRUE(b.result) << "template " << t;
        EXPECT_GE(b.run->pageCount(), 1) << "template " << t;
        EXPECT_EQ(b.run->pages().pageCount(), b.run->pageCount()) << "template " << t;
    }
}

}  // namespace

#include "report/expr/format/text_compare.h"
#include "format_test_locale.h"

using namespace dorvana;

namespace {

class TextCompareTest : public dorvana::test::FormatLocaleTest {};

int sign(int v) {
    return (v > 0) - (v < 0);
}

TEST_F(TextCompareTest, CzechOrder) {
    struct Case {
        const char* a;
        const char* b;
        int order;
    };
    const Case cases[] = {
        {"chata", "hrad", 1},  // "ch" is a letter of its own after "h"
        {"cz", "čaj", -1},    {"čaj", "dům", -1}, {"a", "B", -1},       {"a", "A", -1},
        {"", "a", -1},        {"abc", "abc", 0},  {"Žába", "zebra", 1}, {"10", "9", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a);
        SCOPED_TRACE(c.b);
        const QString a = QString::fromUtf8(c.a), b = QString::fromUtf8(c.b);
        EXPECT_EQ(sign(compareText(a, b)), c.order);
        EXPECT_EQ(sign(compareText(b, a)), -c.order);
    }
}

TEST_F(TextCompareTest, OnlyIdenticalTextsAreEqual) {
    // Different ways of writing the same letter sort together but are not equal.
    const QString composed = QStringLiteral("\u010d");     // č
    const QString decomposed = QStringLiteral("c\u030c");  // c + combining caron
    EXPECT_NE(compareText(composed, decomposed), 0);
    EXPECT_EQ(sign(compareText(composed, decomposed)), -sign(compareText(decomposed, composed)));
}

}  // namespace

#include "function_test_source.h"

using namespace dorvana;
using dorvana::test::numberFunction;

namespace {

class FunctionListTest : public dorvana::test::FunctionTest {
protected:
    static FunctionDefinition named(const QString& name) {
        FunctionDefinition d;
        d.name = name;
        return d;
    }
};

TEST_F(FunctionListTest, ItemsByIndexAndName) {
    functions.add(named("Cena"));
    functions.add(named("Součet"));
    functions.add(named("CENA"));
    EXPECT_EQ(functions.count(), 3);
    EXPECT_EQ(functions.item(1)->name(), QStringLiteral("Součet"));
    EXPECT_EQ(functions.item(3), nullptr);
    EXPECT_EQ(functions.item(-1), nullptr);

    EXPECT_EQ(functions.indexOf("cena"), 0);  // the first of equal names
    EXPECT_EQ(functions.indexOf("SOUčET"), 1);
    EXPECT_EQ(functions.indexOf("SOUČET"), -1);  // letters with diacritics keep their case
    EXPECT_EQ(functions.indexOf("Cen"), -1);
    EXPECT_EQ(functions.indexOf(""), -1);

    functions.insert(0, named("Nová"));
    EXPECT_EQ(functions.names(), QStringList({"Nová", "Cena", "Součet", "CENA"}));
    EXPECT_TRUE(functions.remove(1));
    EXPECT_FALSE(functions.remove(3));
    EXPECT_EQ(functions.names(), QStringList({"Nová", "Součet", "CENA"}));
}

TEST_F(FunctionListTest, DisplayTexts) {
    for (int i = 0; i < 123; ++i) functions.add();
    EXPECT_EQ(functions.displayText(0), QStringLiteral("#1  Funkce"));
    EXPECT_EQ(functions.displayText(11), QStringLiteral("#12 Funkce"));
    EXPECT_EQ(functions.displayText(122), QStringLiteral("#123Funkce"));
    EXPECT_EQ(functions.displayText(123), QString());
}

TEST_F(FunctionListTest, ReferencesReadCurrentValuesOfOtherFunctions) {
    // "Celkem" sums the field, "Podíl" divides the field by the running sum.
    functions.add(numberFunction(kProcessSum, "#1"))
        .setDefinition("Celkem", "", "", 3, 2, 15, kProcessSum, 0, "0", 0, "#1");
    functions.add(numberFunction(kProcessNone, "#1 / @Celkem"));
    EXPECT_EQ(functions.currentValue(5), TaggedValue::integer(0));

    functions.ResetAll(-1);
    record(TaggedValue::real(2));
    functions.AccumulateAll();
    EXPECT_EQ(functions.item(1)->printedValue(), TaggedValue::real(1));
    record(TaggedValue::real(6));
    functions.AccumulateCurrentAll();
    EXPECT_EQ(functions.currentValue(0), TaggedValue::real(8));
    EXPECT_EQ(functions.item(1)->currentValue(), TaggedValue::real(0.75));
    EXPECT_EQ(functions.item(1)->printedValue(), TaggedValue::real(1));
    functions.CommitCurrentAll();
    EXPECT_EQ(functions.item(0)->FormatPrinted(), QStringLiteral("8,00"));
}

TEST_F(FunctionListTest, ResetAllFollowsTheScope) {
    FunctionDefinition page = numberFunction(kProcessCount);
    page.resetScope = 1;
    functions.add(numberFunction(kProcessCount));
    functions.add(page);
    functions.ResetAll(-1);
    record(TaggedValue::real(1));
    functions.AccumulateAll();
    functions.ResetAll(1);
    EXPECT_EQ(functions.item(0)->count(), 1);
    EXPECT_EQ(functions.item(1)->count(), 0);
    functions.PageStartAll();
    EXPECT_EQ(functions.currentValue(1), TaggedValue::integer(1));
    EXPECT_EQ(functions.currentValue(0), TaggedValue::integer(1));
}

}  // namespace

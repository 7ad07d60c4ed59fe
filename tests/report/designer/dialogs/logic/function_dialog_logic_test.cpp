#include <gtest/gtest.h>

#include "report/designer/dialogs/logic/expression_editor_logic.h"
#include "report/designer/dialogs/logic/function_dialog_logic.h"

namespace dorvana {
namespace {

TEST(FunctionDialog, BooleanInitialValueAndProcessing) {
    FunctionDefinition row;
    row.resultType = FunctionDefinition::Boolean;
    row.initialValue = QStringLiteral("-1");
    row.processing = 7;  // a number processing: the Boolean group shows "(Žádné)"
    FunctionDialogValues v = functionDialogValues(row);
    EXPECT_TRUE(v.booleanInitial);
    EXPECT_EQ(v.booleanProcessing, 0);
    v.booleanInitial = false;
    v.booleanProcessing = 3;
    const FunctionDefinition out = applyFunctionDialog(row, v);
    EXPECT_EQ(out.initialValue, QStringLiteral("0"));
    EXPECT_EQ(out.processing, 3);
    v.booleanInitial = true;
    EXPECT_EQ(applyFunctionDialog(row, v).initialValue, QStringLiteral("-1"));
}

TEST(FunctionDialog, NonIntegerPrecisionAndDigitsKeepTheRowsValues) {
    FunctionDefinition row;
    row.precision = 12;
    row.digits = 3;
    FunctionDialogValues v = functionDialogValues(row);
    EXPECT_EQ(v.precisionText, QStringLiteral("12"));
    v.precisionText = QStringLiteral("x1");
    v.digitsText = QStringLiteral(" 4 ");
    v.numberProcessing = 2;
    v.initialValue = QStringLiteral("5");
    const FunctionDefinition out = applyFunctionDialog(row, v);
    EXPECT_EQ(out.precision, 12);
    EXPECT_EQ(out.digits, 4);
    EXPECT_EQ(out.processing, 2);
    EXPECT_EQ(out.initialValue, QStringLiteral("5"));
}

TEST(FunctionDialog, ArrangementByTypeAndFormat) {
    const auto number = arrangeFunctionControls(FunctionDefinition::Number, 3);
    EXPECT_EQ(number.mask, QStringLiteral("#,##0.00"));
    EXPECT_TRUE(number.processingEnabled && number.precisionVisible && !number.maskVisible);
    const auto picture = arrangeFunctionControls(FunctionDefinition::Number, 5);
    EXPECT_TRUE(picture.maskVisible && !picture.precisionVisible && !picture.digitsVisible);
    const auto text = arrangeFunctionControls(FunctionDefinition::Text, 3);
    EXPECT_FALSE(text.formatEnabled || text.processingEnabled || text.initialValueEnabled ||
                 text.resetScopeEnabled || text.maskEnabled);
    const auto date = arrangeFunctionControls(FunctionDefinition::DateTime, 3);
    EXPECT_EQ(date.mask, QStringLiteral("hh:nn:ss dddd dd mmmm yyyy"));
    EXPECT_TRUE(date.maskVisible && date.maskEnabled && !date.precisionVisible);
    const auto boolean = arrangeFunctionControls(FunctionDefinition::Boolean, 3);
    EXPECT_TRUE(boolean.booleanInitialVisible && boolean.booleanProcessingVisible &&
                !boolean.numberProcessingVisible && !boolean.initialValueVisible &&
                boolean.resetScopeEnabled && !boolean.maskEnabled);
}

TEST(FunctionDialog, NameCharactersAndScopes) {
    EXPECT_EQ(sanitizeFunctionName(QStringLiteral("Cena celkem/ks")),
              QStringLiteral("Cena_celkem_ks"));
    EXPECT_EQ(sanitizeFunctionName(QStringLiteral("a#&@$+-*^)('b")), QStringLiteral("a___________b"));
    EXPECT_EQ(resetScopeItems(2), (QStringList{"Sestavy", "Stránky", "Skupiny 1", "Skupiny 2"}));
}

TEST(ExpressionEditor, ReferenceEntries) {
    ExpressionReferences refs;
    refs.fieldNames = QStringList{"cislo", "nazev1", "barcode"};
    refs.parameterCount = 2;
    refs.variableNames = QStringList{"Datum", "Čas", "Číslo řádku", "Číslo strany"};
    refs.functionNames = QStringList{"Funkce"};
    EXPECT_EQ(expressionListEntries(ExpressionList::Fields, refs).first(), QStringLiteral("#1  cislo"));
    EXPECT_EQ(expressionListEntries(ExpressionList::Parameters, refs).last(),
              QStringLiteral("&2  Param. 2"));
    EXPECT_EQ(expressionListEntries(ExpressionList::Variables, refs).last(),
              QStringLiteral("$4  Číslo strany"));
    EXPECT_EQ(expressionListEntries(ExpressionList::Functions, refs),
              QStringList{QStringLiteral("@1  Funkce")});
    EXPECT_EQ(referenceEntry(u'#', 12, QStringLiteral("x")), QStringLiteral("#12 x"));
    EXPECT_EQ(referenceEntry(u'#', 123, QStringLiteral("x")), QStringLiteral("#123x"));
    EXPECT_EQ(expressionListEntries(ExpressionList::Operators, refs).size(), 20);
    EXPECT_EQ(expressionListEntries(ExpressionList::Text, refs).first(), QStringLiteral("COPY(,,)"));
}

TEST(ExpressionEditor, InsertingEntries) {
    struct Case {
        ExpressionList list;
        QString entry;
        bool byName;
        QString text;
        int start, length;
        QString expected;
        int caret;
    };
    const QList<Case> cases{
        {ExpressionList::Fields, "#3  barcode", true, "", 0, 0, "#barcode", 8},
        {ExpressionList::Fields, "#3  barcode", false, "", 0, 0, "#3", 2},
        {ExpressionList::Parameters, "&2  Param. 2", true, "", 0, 0, "&2", 2},
        {ExpressionList::Functions, "@12 Soucet", true, "1+", 2, 0, "1+@Soucet", 9},
        {ExpressionList::Functions, "@123Soucet", false, "", 0, 0, "@123", 4},
        {ExpressionList::Variables, "$4  Číslo strany", true, "", 0, 0, "$4", 2},
        {ExpressionList::Logic, "MAX(,)", false, "", 0, 0, "MAX(,)", 4},
        {ExpressionList::Operators, "()", false, "ab", 1, 0, "a()b", 2},
        {ExpressionList::Operators, "and", false, "1 x 2", 2, 1, "1 and 2", 5},
    };
    for (const Case& c : cases) {
        const ExpressionEdit e =
            insertExpressionEntry(c.text, c.start, c.length, c.list, c.entry, c.byName);
        EXPECT_EQ(e.text, c.expected) << c.entry.toStdString();
        EXPECT_EQ(e.caret, c.caret) << c.entry.toStdString();
    }
}

TEST(ExpressionEditor, CheckReportsTheErrorAtItsPosition) {
    const ExpressionCheck bad = checkExpression(QStringLiteral("1+"), nullptr);
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.message, QStringLiteral("Chyba : \"Syntaktická chyba\" na pozici 2"));
    EXPECT_EQ(bad.caret, 1);  // before the plus sign
    const ExpressionCheck good = checkExpression(QStringLiteral("STRTOINT('x')"), nullptr);
    EXPECT_TRUE(good.ok);
    EXPECT_EQ(good.message, QStringLiteral("Výraz je v pořádku."));
}

}  // namespace
}  // namespace dorvana

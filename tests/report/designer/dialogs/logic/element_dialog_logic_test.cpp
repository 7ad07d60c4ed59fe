#include <gtest/gtest.h>

#include "report/designer/dialogs/logic/element_dialog_logic.h"
#include "report/model/model_test_support.h"
#include "report/model/text_elements.h"

namespace dorvana {
namespace {

using Kind = ReportFieldSource::FieldKind;

test::FakeFields fields() {
    test::FakeFields f;
    f.fields = {{"cislo", "10"}, {"nazev1", "Brambory"}, {"pozn", "řádek", Kind::Memo, "řádek"},
                {"logo", "", Kind::Picture}};
    return f;
}

TEST(ElementDialog, OpensOnlyForExistingTargets) {
    const test::FakeFields f = fields();
    TDBSesText value;
    value.reference = 3;
    EXPECT_TRUE(canConfigureElement(value, &f, 0));
    value.reference = 4;  // a template made for another table
    EXPECT_FALSE(canConfigureElement(value, &f, 0));
    TSesFunkce function;
    function.reference = 1;
    EXPECT_FALSE(canConfigureElement(function, &f, 1));
    EXPECT_TRUE(canConfigureElement(function, &f, 2));
    TSesLabel label;
    EXPECT_FALSE(canConfigureElement(label, &f, 2));
    EXPECT_EQ(elementTargetItems(ElementType::FieldValue, &f, {}).at(1), QStringLiteral("#2  nazev1"));
}

TEST(ElementDialog, PageFollowsTheFieldKind) {
    EXPECT_EQ(elementPage(ElementType::FieldValue, Kind::Memo), ElementPage::DbMemo);
    EXPECT_EQ(elementPage(ElementType::FieldValue, Kind::Picture), ElementPage::DbGraphic);
    EXPECT_EQ(elementPage(ElementType::FieldValue, Kind::Other), ElementPage::Text);
    EXPECT_EQ(elementPage(ElementType::FieldLabel, Kind::Memo), ElementPage::Text);
    EXPECT_EQ(elementPage(ElementType::Function, Kind::Other), ElementPage::Funkce);
}

TEST(ElementDialog, LabelTargetByNameAndKeptSize) {
    const test::FakeFields f = fields();
    TDBSesLabel label;
    label.reference = 0;
    label.X = 5;
    label.W = 100;
    ElementDialogValues v = elementDialogValues(label);
    EXPECT_FALSE(v.byName);
    v.target = 1;
    v.byName = true;
    v.width = QStringLiteral("abc");  // not a number: the old width stays
    v.left = QStringLiteral("40");
    v.borders = {true, false, false, true};
    applyElementDialog(label, v, {&f, {}, {}});
    EXPECT_EQ(label.reference, 1);
    EXPECT_EQ(label.Caption, QStringLiteral("NAZEV1"));  // the display label
    EXPECT_EQ(label.fieldName(), QStringLiteral("nazev1"));
    EXPECT_EQ(label.W, 100);
    EXPECT_EQ(label.X, 40);
    EXPECT_TRUE(label.Leva && label.Spodni && !label.Horni);
    v = elementDialogValues(label);
    v.byName = false;
    applyElementDialog(label, v, {&f, {}, {}});
    EXPECT_TRUE(label.fieldName().isEmpty());
}

TEST(ElementDialog, MemoFieldBindsAndStoresItsFlags) {
    const test::FakeFields f = fields();
    TDBSesText value;
    value.reference = 1;
    ElementDialogValues v = elementDialogValues(value);
    v.target = 2;
    v.alignment = 2;
    v.layoutFlags = LayoutFlag::WrapWords | LayoutFlag::GrowingHeight;
    v.bcFormat = QStringLiteral("031010000120010015#0");
    applyElementDialog(value, v, {&f, {}, {}});
    EXPECT_TRUE(value.isMemo());
    EXPECT_EQ(value.blobData, QByteArray("řádek"));
    EXPECT_EQ(value.memoFlags, 0x50);
    EXPECT_EQ(value.alignment, Alignment::Center);
    EXPECT_EQ(value.BcFormat(), QStringLiteral("031010000120010015#0"));
    // Back to an ordinary field: unbound, no flags.
    v.target = 0;
    applyElementDialog(value, v, {&f, {}, {}});
    EXPECT_FALSE(value.isMemo());
    EXPECT_TRUE(value.blobData.isEmpty());
    EXPECT_EQ(value.memoFlags, 0);
    EXPECT_EQ(value.Caption, QStringLiteral("10"));
}

TEST(ElementDialog, FunctionTargetTakesItsValueAndName) {
    TSesFunkce function;
    function.reference = 0;
    ElementDialogValues v = elementDialogValues(function);
    v.target = 1;
    v.byName = true;
    ElementApplyContext c;
    c.functionNames = QStringList{"Soucet", "Celkem"};
    c.functionValueText = [](int i) { return QStringLiteral("hodnota %1").arg(i); };
    applyElementDialog(function, v, c);
    EXPECT_EQ(function.reference, 1);
    EXPECT_EQ(function.Caption, QStringLiteral("hodnota 1"));
    EXPECT_EQ(function.functionName(), QStringLiteral("Celkem"));
}

}  // namespace
}  // namespace dorvana

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>

#include "report/designer/dialogs/barcode_dialog.h"
#include "report/designer/dialogs/element_dialog.h"
#include "report/designer/dialogs/function_dialogs.h"
#include "report/designer/dialogs/paper_format_dialog.h"
#include "report/designer/dialogs/dialog_test_support.h"
#include "report/model/model_test_support.h"
#include "report/model/text_elements.h"
#include "support/scripted_messages.h"

namespace dorvana {
namespace {

using test::child;

TEST(PaperFormatDialog, MillimetresFollowTheTexts) {
    TDlgFormatPapiru dialog({QStringLiteral("uživ. formát"), 826, 1169}, true);
    auto* mm = child<QLabel>(&dialog, "sire");
    EXPECT_EQ(mm->text(), QStringLiteral("210 x 297"));
    auto* width = child<QLineEdit>(&dialog, "EditSirka");
    width->clear();
    EXPECT_EQ(mm->text(), QStringLiteral("0 x 297"));
    QTest::keyClicks(width, QStringLiteral("85x"));  // never rejected; ignored on OK
    child<QLineEdit>(&dialog, "EditVyska")->setText(QStringLiteral("1400"));
    const TFormatPapiru f = dialog.result();
    EXPECT_EQ(f.width, 826);
    EXPECT_EQ(f.height, 1400);

    TDlgFormatPapiru shown({QStringLiteral("A4 (210 x 297 mm)"), 826, 1169}, false);
    EXPECT_FALSE(child<QLineEdit>(&shown, "EditNazev")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(&shown, "EditSirka")->isEnabled());
}

TEST(BarcodeDialog, BuildsTheFormatAndDrawsTheSample) {
    TDlgBarCode dialog;
    EXPECT_EQ(dialog.format(), QStringLiteral("031010000120010015#0"));
    EXPECT_FALSE(dialog.loadFormat(QStringLiteral("99101")));  // not a format: refused
    ASSERT_TRUE(dialog.loadFormat(QStringLiteral("091000000120010015#0")));
    EXPECT_EQ(child<QComboBox>(&dialog, "CKTypBarcode")->currentText(), QStringLiteral("Code128"));
    child<QComboBox>(&dialog, "CKSada128")->setCurrentIndex(1);
    child<QSpinBox>(&dialog, "CKSirka")->setValue(20);
    child<QCheckBox>(&dialog, "CKSoucet")->setChecked(true);
    child<QComboBox>(&dialog, "BarColor")->setCurrentIndex(12);
    EXPECT_EQ(dialog.format().mid(6, 2), QStringLiteral("11"));   // check character, set B
    EXPECT_EQ(dialog.format().mid(8, 3), QStringLiteral("020"));  // narrowest element
    EXPECT_EQ(dialog.format().mid(14, 2), QStringLiteral("12"));  // bar colour "modrá"

    // The sample: the add-on follows the element's text, and bars are drawn.
    dialog.loadFormat(QStringLiteral("031010000120010015#0"));
    dialog.setElementText(QStringLiteral("590#12345"));
    EXPECT_EQ(dialog.sample()->data(), QStringLiteral("123456789012#12345"));
    dialog.setElementText(QStringLiteral("590#1"));
    EXPECT_EQ(dialog.sample()->data(), QStringLiteral("123456789012#12"));
    dialog.sample()->resize(260, 110);
    const QImage image = dialog.sample()->grab().toImage();
    int dark = 0;
    for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, image.height() / 2)) < 64) ++dark;
    EXPECT_GT(dark, 20);

    auto* toText = child<QPushButton>(&dialog, "PrepniNaText");
    toText->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.format().isEmpty());
}

FunctionEditContext functionContext(Messages* messages) {
    FunctionEditContext c;
    c.references.fieldNames = QStringList{"cislo", "nazev1", "barcode"};
    c.references.parameterCount = 2;
    c.references.functionNames = QStringList{"Soucet"};
    c.groupCount = 1;
    c.messages = messages;
    return c;
}

TEST(FunctionDialog, BooleanFunctionAndTypedName) {
    FunctionDefinition row;
    row.resultType = FunctionDefinition::Boolean;
    row.initialValue = QStringLiteral("-1");
    row.processing = 7;
    test::ScriptedMessages messages;
    TFunkceDlg dialog(row, functionContext(&messages));
    auto* initial = child<QComboBox>(&dialog, "BolPocHod");
    EXPECT_EQ(initial->currentText(), QStringLiteral("True"));
    initial->setCurrentIndex(0);
    auto* name = child<QLineEdit>(&dialog, "EditFnNaz");
    name->clear();
    QTest::keyClicks(name, QStringLiteral("Cena celkem/ks"));
    EXPECT_EQ(name->text(), QStringLiteral("Cena_celkem_ks"));
    const FunctionDefinition out = dialog.result();
    EXPECT_EQ(out.initialValue, QStringLiteral("0"));
    EXPECT_EQ(out.processing, 0);
    EXPECT_EQ(out.name, QStringLiteral("Cena_celkem_ks"));

    auto* type = child<QComboBox>(&dialog, "CBFnTyp");
    type->setCurrentIndex(FunctionDefinition::DateTime);
    EXPECT_EQ(child<QLineEdit>(&dialog, "ObFormat")->text(),
              QStringLiteral("hh:nn:ss dddd dd mmmm yyyy"));
    type->setCurrentIndex(FunctionDefinition::Number);
    EXPECT_EQ(child<QLineEdit>(&dialog, "ObFormat")->text(), QStringLiteral("#,##0.00"));
}

TEST(ExpressionEditor, PicksEntriesAndChecks) {
    test::ScriptedMessages messages;
    FunctionEditContext c = functionContext(&messages);
    c.byName = true;
    TSest_FnEditVyraz dialog(QString(), c);
    dialog.show();
    auto* fields = dialog.list(ExpressionList::Fields);
    auto* expression = child<QLineEdit>(&dialog, "EditVyraz");
    QListWidgetItem* barcode = fields->item(2);
    fields->setCurrentItem(barcode);
    emit fields->itemDoubleClicked(barcode);
    EXPECT_EQ(expression->text(), QStringLiteral("#barcode"));
    child<QCheckBox>(&dialog, "CBPodleNazvu")->setChecked(false);
    expression->setCursorPosition(int(expression->text().size()));
    fields->setCurrentItem(barcode);
    emit fields->itemDoubleClicked(barcode);
    EXPECT_EQ(expression->text(), QStringLiteral("#barcode#3"));

    expression->setText(QStringLiteral("1+"));
    child<QPushButton>(&dialog, "Kontrola")->click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown.first(),
              QStringLiteral("error: Chyba : \"Syntaktická chyba\" na pozici 2"));
    EXPECT_EQ(expression->cursorPosition(), 1);
    EXPECT_FALSE(expression->hasSelectedText());

    expression->clear();
    auto* logic = dialog.list(ExpressionList::Logic);
    logic->setCurrentRow(1);  // MAX(,)
    emit logic->itemDoubleClicked(logic->item(1));
    EXPECT_EQ(expression->text(), QStringLiteral("MAX(,)"));
    EXPECT_EQ(expression->cursorPosition(), 4);
}

TEST(FunctionDialog, SwitchingTypeAndFormatNeverWidensIt) {
    test::ScriptedMessages messages;
    TFunkceDlg dialog(FunctionDefinition{}, functionContext(&messages));
    dialog.show();
    QApplication::processEvents();
    const QSize shown = dialog.size();
    auto* type = child<QComboBox>(&dialog, "CBFnTyp");
    auto* format = child<QComboBox>(&dialog, "CbFnFrm");
    for (int t = 0; t < type->count(); ++t) {
        type->setCurrentIndex(t);
        for (int f = 0; f < format->count(); ++f) {
            format->setCurrentIndex(f);
            QApplication::processEvents();
            EXPECT_EQ(dialog.size(), shown) << "type " << t << ", format " << f;
        }
    }
}

TEST(ExpressionEditor, OperatorsInThreeColumnsAndNoEntryCut) {
    test::ScriptedMessages messages;
    FunctionEditContext c = functionContext(&messages);
    c.references.variableNames = QStringList{"Datum tisku", "Čas tisku", "Celkový počet stran plánu",
                                             "Celkový počet stran ve skupině 1"};
    TSest_FnEditVyraz dialog(QString(), c);
    dialog.show();
    QApplication::processEvents();
    QListWidget* operators = dialog.list(ExpressionList::Operators);
    ASSERT_GE(operators->count(), 4);
    const auto top = [operators](int i) { return operators->visualItemRect(operators->item(i)).top(); };
    EXPECT_EQ(top(0), top(1));
    EXPECT_EQ(top(0), top(2));
    EXPECT_GT(top(3), top(0));  // the fourth starts the second row
    for (const ExpressionList which : {ExpressionList::Variables, ExpressionList::Operators,
                                       ExpressionList::Math, ExpressionList::Fields}) {
        QListWidget* list = dialog.list(which);
        for (int i = 0; i < list->count(); ++i) {
            const QListWidgetItem* item = list->item(i);
            const QRect r = list->visualItemRect(item);
            EXPECT_GE(r.width(), list->fontMetrics().horizontalAdvance(item->text()))
                << item->text().toStdString();
            EXPECT_LE(r.right(), list->viewport()->width()) << item->text().toStdString();
        }
    }
}

TEST(ElementDialog, MemoFieldSwitchesThePage) {
    test::FakeFields fields;
    fields.fields = {{"cislo", "10"}, {"pozn", "text", ReportFieldSource::FieldKind::Memo}};
    TDBSesText element;
    element.reference = 0;
    element.W = 100;
    ElementDialogContext context;
    context.fields = &fields;
    TDlgKonfPrvku dialog(elementDialogValues(element), context);
    EXPECT_EQ(dialog.page(), ElementPage::Text);
    child<QComboBox>(&dialog, "CBTypPrvku")->setCurrentIndex(1);
    EXPECT_EQ(dialog.page(), ElementPage::DbMemo);
    child<QCheckBox>(&dialog, "PretahovatSlova")->setChecked(true);
    child<QLineEdit>(&dialog, "EditSirka")->setText(QStringLiteral("široký"));
    applyElementDialog(element, dialog.values(), {&fields, {}, {}});
    EXPECT_EQ(element.reference, 1);
    EXPECT_TRUE(element.isMemo());
    EXPECT_EQ(element.memoFlags, LayoutFlag::WrapWords);
    EXPECT_EQ(element.W, 100);
}

}  // namespace
}  // namespace dorvana

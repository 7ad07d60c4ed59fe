#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "report/designer/dialogs/dialog_test_support.h"
#include "report/designer/dialogs/function_dialogs.h"
#include "report/designer/dialogs/report_settings_dialog.h"
#include "report/model/template_reader.h"
#include "report/model/template_writer.h"
#include "support/scripted_messages.h"
#include "support/test_support.h"

namespace dorvana {
namespace {

using test::child;

const QStringList kFields{"cislo",  "nazev1", "nazev2", "barcode", "cislo1", "cislo2",
                          "cena",   "popis1", "popis2", "popis3",  "popis4", "datum1",
                          "datum2", "logo",   "pozn",   "barbmp",  "calc"};

QStringList linesStarting(const QStringList& lines, const QString& prefix) {
    QStringList out;
    for (const QString& l : lines)
        if (l.startsWith(prefix)) out << l;
    return out;
}

class ReportSettingsDialog : public testing::Test {
protected:
    void SetUp() override {
        TemplateReadOptions options;
        options.fieldIndex = [](const QString& name) {
            for (int i = 0; i < kFields.size(); ++i)
                if (kFields[i].compare(name, Qt::CaseInsensitive) == 0) return i;
            return -1;
        };
        QString error;
        ASSERT_TRUE(loadTemplateFile(test::sourcePath("samples/templates/cenik.pts"), &model,
                                     options, nullptr, &error))
            << error.toStdString();
        model.dataSource.sortEnabled = true;
        LoadFormats(formats, QString());
        context.component.fileName = QStringLiteral("cenik.pts");
        context.component.directory = QStringLiteral("/data/sestavy");
        context.fieldNames = kFields;
        for (const FunctionDefinition& f : model.functions) context.functionNames << f.name;
        context.formats = &formats;
        context.messages = &messages;
    }
    // OK as the designer takes it: the values into the model, then the template text.
    QStringList pressOk(TSestDlg& dialog) {
        child<QPushButton>(&dialog, "Konec")->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        applyReportSettings(model, dialog.values());
        return writeTemplate(model, {kFields});
    }
    ReportModel model;
    TListFormatu formats;
    test::ScriptedMessages messages;
    ReportSettingsContext context;
};

TEST_F(ReportSettingsDialog, TabsAndPages) {
    TSestDlg dialog(model, context);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Nastavení parametrů sestavy"));
    ASSERT_EQ(dialog.tabs()->count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(dialog.tabs()->tabText(i), reportSettingsTabs()[i]);
        EXPECT_EQ(dialog.tabs()->tabToolTip(i), reportSettingsPages()[i]);
    }
    EXPECT_EQ(child<QLineEdit>(&dialog, "Nazev")->text(), QStringLiteral("Ceník zboží podle skupin"));
    EXPECT_EQ(child<QComboBox>(&dialog, "CBFormat")->currentText(), QStringLiteral("A4 (210 x 297 mm)"));
    EXPECT_EQ(child<QPushButton>(&dialog, "FormatUkaz")->text(), QStringLiteral("Ukaž"));
    EXPECT_FALSE(child<QPushButton>(&dialog, "FormatVynech")->isEnabled());
    // No query builder and no printer settings dialog yet: their buttons stay disabled.
    EXPECT_FALSE(child<QPushButton>(&dialog, "VytvorSQL")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(&dialog, "NastavitTiskarny")->isEnabled());

    context.component.sortEnabled = false;
    TSestDlg unsorted(model, context);
    EXPECT_EQ(unsorted.tabs()->count(), 6);
    EXPECT_EQ(unsorted.pageIndex(kSortPage), -1);
    EXPECT_EQ(unsorted.tabs()->tabText(4), QStringLiteral("Ti"));

    dialog.setReducedForm(true);
    EXPECT_TRUE(dialog.tabs()->isTabVisible(0));
    EXPECT_FALSE(dialog.tabs()->isTabVisible(1));
}

TEST_F(ReportSettingsDialog, ThreeColumnsWithGapOnA4) {
    TSestDlg dialog(model, context);
    auto* gap = child<QLineEdit>(&dialog, "EditMezera");
    EXPECT_FALSE(gap->isEnabled());  // one column
    auto* columns = child<QLineEdit>(&dialog, "EditSloupcu");
    columns->selectAll();
    QTest::keyClicks(columns, QStringLiteral("3"));
    EXPECT_TRUE(gap->isEnabled());
    gap->selectAll();
    QTest::keyClicks(gap, QStringLiteral("10"));
    // (826 - 100 - 2 x 10) div 3 = 235, body height 18.
    EXPECT_EQ(child<QLabel>(&dialog, "StitekBody")->text(), QStringLiteral("235 x 18 [bodů]"));
    EXPECT_EQ(child<QLabel>(&dialog, "TiskBody")->text(), QStringLiteral("726 x 1029 [bodů]"));
    auto* left = child<QLineEdit>(&dialog, "EditLevy");
    left->clear();  // an empty margin counts 0
    const QStringList lines = pressOk(dialog);
    EXPECT_EQ(linesStarting(lines, "I,2,").value(0),
              QStringLiteral("I,2,0,826,1169,0,50,70,70,3,10,8,8,0,1"));
}

TEST_F(ReportSettingsDialog, GroupOnPopis1WithNewPage) {
    // The sample already groups by popis1: delete that group first, then add it anew.
    TSestDlg dialog(model, context);
    auto* groups = child<QListWidget>(&dialog, "LBSkupiny");
    ASSERT_EQ(groups->count(), 1);
    messages.answers = {Messages::Answer::Yes};
    child<QPushButton>(&dialog, "SkupinaDel")->click();
    EXPECT_EQ(messages.shown.value(0),
              QStringLiteral("confirm: Opravdu smazat vybranou skupinu včetně případných vložených "
                             "prvků sestavy?"));
    EXPECT_EQ(groups->count(), 0);
    EXPECT_EQ(model.groupCount(), 0);

    int added = -1;
    context.groupAdded = [&](int g) { added = g; };
    TSestDlg second(model, context);
    child<QPushButton>(&second, "SkupinaIns")->click();
    EXPECT_EQ(added, 0);  // the designer adds its section views and variables
    ASSERT_EQ(model.groupCount(), 1);
    child<QComboBox>(&second, "CBSkupPolozka")->setCurrentIndex(7);  // #8  popis1
    EXPECT_EQ(child<QComboBox>(&second, "CBSkupPolozka")->currentText(), QStringLiteral("#8  popis1"));
    child<QCheckBox>(&second, "NovaStranka")->setChecked(true);
    child<QCheckBox>(&second, "Skup0Viditelny")->setChecked(true);
    child<QLineEdit>(&second, "Skup0Vyska")->setText(QStringLiteral("30"));
    child<QCheckBox>(&second, "Skup1Viditelny")->setChecked(true);
    child<QLineEdit>(&second, "Skup1Vyska")->setText(QStringLiteral("x"));  // becomes 24
    child<QCheckBox>(&second, "SkupPodleNazvu")->setChecked(true);
    const QStringList lines = pressOk(second);
    EXPECT_EQ(linesStarting(lines, "I,4,"),
              QStringList{QStringLiteral("I,4,0,popis1,1,30,0,24,0,24,1,24,1,0,0,0,0,0,0,0,0")});
    // The group's four sections are in the page container.
    EXPECT_EQ(model.page().sectionCount(), 7 + 4);
    EXPECT_TRUE(model.group(0)->sections[GroupSection::End]->visible);
}

TEST_F(ReportSettingsDialog, SumPerGroupFunctionLine) {
    // The designer opens the function dialog for a new function.
    FunctionEditContext fc;
    fc.references.fieldNames = kFields;
    fc.groupCount = model.groupCount();
    TFunkceDlg dialog(FunctionDefinition{}, fc);
    child<QLineEdit>(&dialog, "EditFnNaz")->setText(QStringLiteral("SumaCen"));
    child<QLineEdit>(&dialog, "EditFnPop")->setText(QStringLiteral("Součet cen"));
    child<QLineEdit>(&dialog, "EditFnVyr")->setText(QStringLiteral("#cena"));
    child<QComboBox>(&dialog, "CBFnPhn")->setCurrentIndex(2);  // "Skupiny 1"
    EXPECT_EQ(child<QComboBox>(&dialog, "CBFnPhn")->currentText(), QStringLiteral("Skupiny 1"));
    child<QRadioButton>(&dialog, "RGDalZpr_2")->setChecked(true);  // "Součet"
    child<QPushButton>(&dialog, "Konec")->click();
    ASSERT_EQ(dialog.QDialog::result(), QDialog::Accepted);
    model.functions.clear();
    model.functions << dialog.result();
    const QStringList lines = writeTemplate(model, {kFields});
    EXPECT_EQ(linesStarting(lines, "F,"),
              QStringList{QStringLiteral(
                  "F,0,SumaCen,\"Součet cen\",0,\"0\",2,\"#cena\",2,15,2,3,\"#,##0.00\"")});
}

TEST_F(ReportSettingsDialog, PlansAreInsertedAndDeletedAtOnce) {
    TSestDlg dialog(model, context);
    auto* plans = child<QListWidget>(&dialog, "LBPlany");
    auto* del = child<QPushButton>(&dialog, "PlanDel");
    EXPECT_FALSE(del->isEnabled());
    child<QPushButton>(&dialog, "PlanIns")->click();
    ASSERT_EQ(plans->count(), 2);
    EXPECT_EQ(plans->item(1)->text(), QStringLiteral("Plán sestavy 1"));
    EXPECT_TRUE(del->isEnabled());
    child<QCheckBox>(&dialog, "Plan2Viditelny")->setChecked(true);  // its body
    EXPECT_TRUE(model.plan(1)->sections[PlanSection::Body]->visible);
    messages.answers = {Messages::Answer::No};
    del->click();
    EXPECT_EQ(model.planCount(), 2);
    messages.answers = {Messages::Answer::Yes};
    del->click();
    EXPECT_EQ(model.planCount(), 1);
    EXPECT_EQ(plans->count(), 1);
    child<QPushButton>(&dialog, "Storno")->click();
    EXPECT_EQ(model.planCount(), 1);  // Cancel does not bring it back
}

TEST_F(ReportSettingsDialog, SortPageSetsRestart) {
    TSestDlg dialog(model, context);
    auto* sequence = child<QListWidget>(&dialog, "LBPoradi");
    ASSERT_EQ(sequence->count(), 2);
    EXPECT_EQ(sequence->item(0)->text(), QStringLiteral("+popis1"));
    EXPECT_FALSE(dialog.values().restartNeeded);
    sequence->item(1)->setSelected(true);
    child<QPushButton>(&dialog, "TridToggle")->click();
    EXPECT_EQ(sequence->item(1)->text(), QStringLiteral("-nazev1"));
    auto* available = child<QListWidget>(&dialog, "LBDostupne");
    available->item(0)->setSelected(true);  // cislo
    child<QPushButton>(&dialog, "TridAdd")->click();
    EXPECT_TRUE(dialog.values().restartNeeded);
    const QStringList lines = pressOk(dialog);
    EXPECT_EQ(linesStarting(lines, "I,5,"),
              QStringList{QStringLiteral("I,5,0,\"+popis1,-nazev1,+cislo\"")});
}

TEST_F(ReportSettingsDialog, MarginsBelowThePrintersMinimum) {
    context.minimumMargins = [](int) { return std::optional<MinimumMargins>({60, 10, 10, 10}); };
    TSestDlg dialog(model, context);
    dialog.show();
    messages.answers = {Messages::Answer::Cancel};
    child<QPushButton>(&dialog, "Konec")->click();
    EXPECT_TRUE(dialog.isVisible());  // Cancel keeps the dialog open
    messages.answers = {Messages::Answer::Yes};
    child<QPushButton>(&dialog, "Konec")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.values().paper.leftMargin, 60);
    EXPECT_EQ(dialog.values().paper.rightMargin, 50);
}

TEST_F(ReportSettingsDialog, UserFormatsAreAddedAndRemoved) {
    context.editFormat = [](TFormatPapiru& f, bool editable) {
        EXPECT_TRUE(editable);
        f.name = QStringLiteral("Štítky 100 x 50");
        f.width = 394;
        f.height = 197;
        return true;
    };
    TSestDlg dialog(model, context);
    child<QPushButton>(&dialog, "FormatPridej")->click();
    ASSERT_EQ(formats.count(), 18);
    auto* format = child<QComboBox>(&dialog, "CBFormat");
    EXPECT_EQ(format->currentIndex(), 17);
    EXPECT_EQ(child<QPushButton>(&dialog, "FormatUkaz")->text(), QStringLiteral("Oprav"));
    EXPECT_EQ(child<QLabel>(&dialog, "PapirBody")->text(), QStringLiteral("394 x 197 [bodů]"));
    messages.answers = {Messages::Answer::Yes};
    child<QPushButton>(&dialog, "FormatVynech")->click();
    EXPECT_EQ(messages.shown.last(), QStringLiteral("confirm: Zrušit vybraný uživatelský formát?"));
    EXPECT_EQ(formats.count(), 17);
    EXPECT_EQ(format->currentIndex(), 0);
    EXPECT_EQ(dialog.values().paper.paperWidth, 850);
}

}  // namespace
}  // namespace dorvana

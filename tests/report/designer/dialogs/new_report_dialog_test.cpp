#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include "report/designer/dialogs/dialog_test_support.h"
#include "report/designer/dialogs/new_report_dialog.h"
#include "support/scripted_messages.h"

namespace dorvana {
namespace {

using test::child;

NewReportContext context(Messages* messages) {
    NewReportContext c;
    c.fields = {{"cislo", "Číslo", 20, 1}, {"nazev1", "Název", 40, 0}, {"popis1", "Popis", 10, 2}};
    c.options.printableWidth = 747;
    c.options.printableHeight = 1000;
    c.messages = messages;
    return c;
}

TEST(NewReportDialog, NothingChosenKeepsTheWizardOpen) {
    test::ScriptedMessages messages;
    TDlgNovaSestava dialog(context(&messages));
    dialog.show();
    EXPECT_FALSE(child<QPushButton>(&dialog, "Odebrat")->isEnabled());
    child<QPushButton>(&dialog, "Provedt")->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.shown,
              QStringList{"information: Nebyly vybrány žádné položky. Návrh nemůže být proveden!"});
    EXPECT_FALSE(child<QPushButton>(&dialog, "FormatPapiru")->isEnabled());  // no designer paper
}

TEST(NewReportDialog, ChosenFieldsInRowsByName) {
    test::ScriptedMessages messages;
    TDlgNovaSestava dialog(context(&messages));
    dialog.show();
    child<QPushButton>(&dialog, "PridatVse")->click();
    EXPECT_EQ(dialog.availableList()->count(), 0);
    EXPECT_FALSE(child<QPushButton>(&dialog, "Pridat")->isEnabled());
    dialog.chosenList()->item(1)->setSelected(true);  // nazev1 back
    child<QPushButton>(&dialog, "Odebrat")->click();
    EXPECT_EQ(dialog.chosenFields(), (QStringList{"cislo", "popis1"}));
    EXPECT_TRUE(child<QToolButton>(&dialog, "SBSloupec")->isChecked());
    child<QToolButton>(&dialog, "SBRadek")->click();
    EXPECT_FALSE(child<QToolButton>(&dialog, "SBSloupec")->isChecked());
    child<QCheckBox>(&dialog, "PodleNazvu")->setChecked(true);
    child<QPushButton>(&dialog, "Provedt")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.lines().contains("T,2,cislo,92,0,160,20,Arial,10,0,0,1,0,0,238"));
    EXPECT_TRUE(dialog.lines().contains("T,2,popis1,92,20,90,20,Arial,10,0,0,2,0,0,238"));
    EXPECT_TRUE(dialog.lines().contains("T,3,popis1,0,20,84,20,Arial,10,0,0,1,0,0,238"));
}

}  // namespace
}  // namespace dorvana

// "Arch etiket…": the sheet chooser's search and choice, and a chosen sheet
// filling the paper page of the report settings and the paper-format dialog.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "report/designer/dialogs/dialog_test_support.h"
#include "report/designer/dialogs/paper_format_dialog.h"
#include "report/designer/dialogs/report_settings_dialog.h"
#include "report/designer/dialogs/sheet_chooser_dialog.h"
#include "report/model/template_reader.h"
#include "report/model/template_writer.h"
#include "support/scripted_messages.h"
#include "support/test_support.h"

namespace dorvana {
namespace {

using test::child;

SheetCatalogue builtIns() {
    SheetCatalogue c;
    c.addBuiltIns();
    c.resolveEquivalents();
    return c;
}

TEST(SheetChooser, SearchesAndOffersOnlyWhatAPageCanExpress) {
    TDlgArchEtiket dialog(builtIns());
    auto* search = child<QLineEdit>(&dialog, "EditHledat");
    auto* list = child<QListWidget>(&dialog, "ListArchy");
    auto* use = child<QPushButton>(&dialog, "Pouzit");
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Arch etiket"));
    EXPECT_EQ(list->count(), builtIns().products().size());
    QTest::keyClicks(search, QStringLiteral("99,1 x 38,1"));
    ASSERT_EQ(list->count(), 1);
    EXPECT_TRUE(list->item(0)->text().startsWith(QStringLiteral("Avery L7163 — A4, 2 × 7")));
    ASSERT_TRUE(dialog.chosen());
    EXPECT_EQ(dialog.chosen()->part, QStringLiteral("L7163"));
    EXPECT_TRUE(use->isEnabled());
    SheetPage page;
    QString error;
    ASSERT_TRUE(dialog.page(&page, &error));
    EXPECT_EQ(page.columns, 2);
    EXPECT_EQ(page.rowPitch, 150);  // 38.1 mm = 1.5 in

    search->clear();
    search->setText(QStringLiteral("nic takového"));
    EXPECT_EQ(list->count(), 0);
    EXPECT_FALSE(dialog.chosen());
    EXPECT_FALSE(use->isEnabled());
    EXPECT_EQ(child<QLabel>(&dialog, "Popis")->text(),
              QStringLiteral("Hledání neodpovídá žádný arch."));
}

TEST(SheetChooser, ReportSettingsTakeTheSheetsPageColumnsAndRowHeight) {
    ReportModel model;
    QString error;
    ASSERT_TRUE(loadTemplateFile(test::sourcePath("samples/templates/etiketa.pte"), &model, {},
                                 nullptr, &error));
    TListFormatu formats;
    LoadFormats(formats, QString());
    test::ScriptedMessages messages;
    ReportSettingsContext context;
    context.formats = &formats;
    context.messages = &messages;
    const SheetCatalogue catalogue = builtIns();
    SheetPage page;
    ASSERT_TRUE(sheetPageFor(*catalogue.find(QStringLiteral("Avery"), QStringLiteral("5160")),
                             &page, &error));
    context.chooseSheet = [&](SheetPage* chosen) {
        *chosen = page;
        return true;
    };
    TSestDlg dialog(model, context);
    child<QPushButton>(&dialog, "ArchEtiket")->click();
    EXPECT_EQ(child<QLineEdit>(&dialog, "EditLevy")->text(),
              QString::number(page.geometry.leftMargin));
    EXPECT_EQ(child<QLineEdit>(&dialog, "EditHorni")->text(),
              QString::number(page.geometry.topMargin));
    EXPECT_EQ(child<QLineEdit>(&dialog, "EditSloupcu")->text(), QStringLiteral("3"));
    EXPECT_EQ(child<QLineEdit>(&dialog, "EditMezera")->text(), QString::number(page.gap));
    EXPECT_EQ(child<QLabel>(&dialog, "StitekBody")->text(),
              QStringLiteral("%1 x 100 [bodů]").arg(page.labelWidth));
    // The user can still change a field before OK.
    auto* bottom = child<QLineEdit>(&dialog, "EditDolni");
    bottom->selectAll();
    QTest::keyClicks(bottom, QStringLiteral("40"));
    child<QPushButton>(&dialog, "Konec")->click();
    applyReportSettings(model, dialog.values());
    EXPECT_EQ(model.paper.paperWidth, 850);
    EXPECT_EQ(model.paper.paperHeight, 1100);
    EXPECT_EQ(model.paper.bottomMargin, 40);
    EXPECT_EQ(model.columns(), 3);
    EXPECT_EQ(model.page().section(PlanSection::Body)->height, 100);
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join(u'\n').toStdString();
}

}  // namespace
}  // namespace dorvana

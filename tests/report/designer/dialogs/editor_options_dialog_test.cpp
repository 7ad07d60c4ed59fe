#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include "report/designer/dialogs/dialog_test_support.h"
#include "report/designer/dialogs/editor_options_dialog.h"
#include "support/scripted_messages.h"

namespace dorvana {
namespace {

using test::child;

TEST(EditorOptionsDialog, ChangedOptionsAreWrittenAndReadBack) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("sestdll.ini");
    const EditorOptions stored = readEditorOptions(ini);
    test::ScriptedMessages messages;
    EditorOptionsContext context;
    context.messages = &messages;
    TSestKonfigDlg dialog(stored, context);
    ASSERT_EQ(dialog.tabs()->count(), 2);
    EXPECT_EQ(dialog.tabs()->tabText(0), QStringLiteral("Pr"));
    EXPECT_EQ(dialog.tabs()->tabText(1), QStringLiteral("Ph"));
    EXPECT_EQ(child<QComboBox>(&dialog, "ImplMeritko")->currentText(), QStringLiteral("100 %"));
    EXPECT_FALSE(child<QCheckBox>(&dialog, "SledPodle")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(&dialog, "Tiskarna")->isEnabled());
    dialog.show();

    child<QComboBox>(&dialog, "ImplMeritko")->setCurrentIndex(9);
    child<QLineEdit>(&dialog, "RastrX")->setText(QStringLiteral("x"));
    child<QCheckBox>(&dialog, "MazaniJedne")->setChecked(true);
    child<QComboBox>(&dialog, "ImplZarovnani")->setCurrentIndex(2);
    child<QPushButton>(&dialog, "Konec")->click();
    EXPECT_TRUE(dialog.isVisible());  // not an integer: the dialog stays open
    EXPECT_EQ(messages.shown, QStringList{"error: 'x' není platné celé číslo."});

    child<QLineEdit>(&dialog, "RastrX")->setText(QStringLiteral("10"));
    child<QLineEdit>(&dialog, "PocetUndo")->setText(QStringLiteral("25"));
    child<QPushButton>(&dialog, "Konec")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const auto options = dialog.options();
    ASSERT_TRUE(options);
    ASSERT_TRUE(writeEditorOptions(ini, *options));
    const EditorOptions back = readEditorOptions(ini);
    EXPECT_EQ(back.ImplMeritko, 9);
    EXPECT_EQ(back.RastrX, 10);
    EXPECT_EQ(back.PocetUndo, 25);
    EXPECT_TRUE(back.MazaniJedne);
    EXPECT_EQ(back.ImplZarovnani, 2);
    EXPECT_EQ(back.ImplNazevFontu, stored.ImplNazevFontu);
}

}  // namespace
}  // namespace dorvana

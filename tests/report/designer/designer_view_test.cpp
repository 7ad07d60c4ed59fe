// The designer window as a view over its document: the font dialog opens on
// the element's font, the object bar sets what is typed or says why not, the
// palette and the status bar, and the preview that returns to the designer.
#include <QAction>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "report/designer/designer_window_fixture.h"
#include "report/layout/pages/font_preset.h"
#include "report/layout/pages/printed_fonts.h"
#include "report/model/text_elements.h"
#include "report/windows/run_window.h"

namespace dorvana::test {
namespace {

TEST(FontPreset, OpensOnTheInstalledFamilyAndKeepsTheTemplatesName) {
    const QFont preset = fontDialogPreset(QStringLiteral("Arial"), 9, FontStyle::Bold | FontStyle::Italic);
    EXPECT_TRUE(QFontDatabase::hasFamily(preset.family())) << preset.family().toStdString();
    EXPECT_EQ(preset.pointSize(), 9);
    EXPECT_TRUE(preset.bold());
    EXPECT_TRUE(preset.italic());
    EXPECT_FALSE(preset.underline());
    // A name nothing resolves to still opens on an installed family.
    const QFont unknown = fontDialogPreset(QStringLiteral("Písmo, které není"), 12, 0);
    EXPECT_TRUE(QFontDatabase::hasFamily(unknown.family()));

    QFont sameFamily = preset;
    sameFamily.setPointSize(14);
    EXPECT_EQ(chosenFontName(QStringLiteral("Arial"), preset, sameFamily), QStringLiteral("Arial"));
    const QString other = QFontDatabase::families().value(0) == preset.family()
                              ? QFontDatabase::families().value(1)
                              : QFontDatabase::families().value(0);
    ASSERT_FALSE(other.isEmpty());
    EXPECT_EQ(chosenFontName(QStringLiteral("Arial"), preset, QFont(other)), other);
    EXPECT_EQ(fontStyleBits(preset), FontStyle::Bold | FontStyle::Italic);
}

using DesignerView = DesignerWindow;

TEST_F(DesignerView, TheFontDialogOpensOnTheElementsFontAndASizeChangeKeepsItsName) {
    TSesPrvek* e = doc->section(PlanSection::Body)->element(1);  // Arial 9
    ASSERT_EQ(e->fontName(), QStringLiteral("Arial"));
    QTest::mouseClick(surface, Qt::LeftButton, {}, centre(e));
    QFont shown;
    bool seen = false;
    whenModal<QFontDialog>(
        [&shown](QFontDialog* d) {
            shown = d->currentFont();
            QFont bigger = shown;
            bigger.setPointSize(14);
            d->setCurrentFont(bigger);
            d->accept();
        },
        &seen);
    window->findChild<QPushButton*>(QStringLiteral("fontButton"))->click();
    ASSERT_TRUE(seen);
    EXPECT_EQ(shown.family(), fontDialogPreset(QStringLiteral("Arial"), 9, 0).family());
    EXPECT_EQ(shown.pointSize(), 9);
    EXPECT_EQ(e->fontName(), QStringLiteral("Arial"));
    EXPECT_EQ(e->fontSize, 14);
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit změna písma"));
}

TEST_F(DesignerView, TheObjectBarSetsTheNumberTypedOrSaysWhyNot) {
    TSesPrvek* e = doc->section(PlanSection::Body)->element(1);  // 90, 0, 300 x 18 in 726
    QTest::mouseClick(surface, Qt::LeftButton, {}, centre(e));
    QLineEdit* left = window->objectBar()->geometryField(0);
    QLineEdit* width = window->objectBar()->geometryField(2);
    const auto enter = [](QLineEdit* field, const QString& text) {
        field->setText(text);
        QTest::keyClick(field, Qt::Key_Return);
    };
    enter(left, QStringLiteral("124"));
    EXPECT_EQ(e->X, 124);
    EXPECT_TRUE(messages.shown.isEmpty());
    enter(width, QStringLiteral("700"));  // 124 + 700 > 726
    EXPECT_EQ(e->W, 300);
    EXPECT_EQ(width->text(), QStringLiteral("300"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].startsWith(QStringLiteral("error: S touto hodnotou by prvek přesahoval")));
    enter(width, QStringLiteral("602"));
    EXPECT_EQ(e->W, 602);
    enter(left, QStringLiteral("abc"));  // not a number: the element's value again
    EXPECT_EQ(left->text(), QStringLiteral("124"));
    EXPECT_EQ(messages.shown.size(), 1);
}

TEST_F(DesignerView, APaletteToolDropsTheSelectionAndElementsShowNoCoordinates) {
    TSesPrvek* e = doc->section(PlanSection::Body)->element(1);
    QTest::mouseClick(surface, Qt::LeftButton, {}, centre(e));
    ASSERT_EQ(doc->current(), e);
    auto* coordinates = window->findChild<QLabel*>(QStringLiteral("coordinates"));
    QTest::mouseMove(surface, centre(e));
    EXPECT_TRUE(coordinates->text().isEmpty()) << coordinates->text().toStdString();
    const QRect body = surface->sectionRect(PlanSection::Body);
    QTest::mouseMove(surface, QPoint(body.left() + 605, body.top() + 2));  // between nazev2 and cena
    EXPECT_FALSE(coordinates->text().isEmpty());

    window->palette()->setPage(DesignerPalette::Graphics);
    ASSERT_EQ(doc->current(), e);
    window->palette()->findChild<QToolButton*>(QStringLiteral("palette_1"))->click();
    EXPECT_EQ(window->palette()->tool(), 1);
    EXPECT_EQ(doc->current(), nullptr);
    EXPECT_EQ(doc->selectionCount(), 0);
}

TEST_F(DesignerView, OpravaPredlohyInThePreviewReturnsToTheDesigner) {
    component.OpravyEnabled = false;  // corrections off: the way back is there all the same
    bool seen = false, designGreyed = false, saysWhy = false;
    QString back;
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [&, timer] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* run = dynamic_cast<TFormSestE_NOR*>(w); run && run->isVisible()) {
                timer->stop();
                timer->deleteLater();
                seen = true;
                designGreyed = !surface->isEnabled() &&
                               !window->findChild<QToolBar*>(QStringLiteral("commandBar"))->isEnabled();
                saysWhy = window->statusBar()->currentMessage().contains(QStringLiteral("Oprava předlohy"));
                auto* button = run->findChild<QToolButton*>(QStringLiteral("SBPrevEdit"));
                back = button->toolTip();
                EXPECT_TRUE(button->isEnabled());
                button->click();
                return;
            }
    });
    timer->start();
    window->findChild<QAction*>(QStringLiteral("preview"))->trigger();
    ASSERT_TRUE(seen);
    EXPECT_TRUE(designGreyed);
    EXPECT_TRUE(saysWhy);
    EXPECT_EQ(back, QStringLiteral("Oprava předlohy"));
    EXPECT_TRUE(surface->isEnabled());
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
    EXPECT_FALSE(component.OpravyEnabled);  // the component's own setting again
}

}  // namespace
}  // namespace dorvana::test

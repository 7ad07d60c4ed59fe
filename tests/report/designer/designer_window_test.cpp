#include <QDir>
#include <QFile>
#include <QTabBar>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "report/designer/designer_window_fixture.h"
#include "report/model/zoom_table.h"

namespace dorvana::test {
namespace {

TEST_F(DesignerWindow, CaptionNamesTheTitleAndTheTemplate) {
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("Oprava předlohy tiskové sestavy - Ceník zboží podle skupin \"cenik.pts\""));
    EXPECT_EQ(window->zoomIndex(), 6);
    EXPECT_FALSE(window->findChild<QAction*>(QStringLiteral("undo"))->isEnabled());
    for (const char* enabled : {"newTemplate", "settings", "options", "preview", "print"})
        EXPECT_TRUE(window->findChild<QAction*>(QString::fromLatin1(enabled))->isEnabled()) << enabled;
}

TEST_F(DesignerWindow, ADragLandsOnTheRasterAtEveryZoom) {
    struct Case {
        int zoomIndex;
        int expectedLeft;
    };
    // 37 px at 100 % is 37 units -> 40; at 200 % 18.5 -> 18 -> 20.
    for (const Case c : {Case{6, 130}, Case{11, 110}}) {
        editModel([](ReportModel& m) { m.rasterX = m.rasterY = 10; });
        window->setZoomIndex(c.zoomIndex);
        TSesPrvek* e = headerElement(2);  // nazev1 at 90, 24
        ASSERT_EQ(e->X, 90);
        const QPoint start = centre(e);
        drag(start, start + QPoint(37, 0));
        EXPECT_EQ(e->X, c.expectedLeft) << "zoom " << c.zoomIndex;
        EXPECT_EQ(e->Y, 24);
        EXPECT_EQ(e->X % 10, 0);
        EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit posun prvku"));
        EXPECT_EQ(surface->elementRect(e).left() - surface->sectionRect(PlanSection::PageHeader).left(),
                  qRound(c.expectedLeft * zoomFactor(c.zoomIndex)));
        doc->undo();
    }
}

// The current element shows its eight handles at 100 % and 64 %; with
// DORVANA_SHOTS=folder the window is saved at both zooms and on every palette page.
TEST_F(DesignerWindow, TheCurrentElementShowsItsHandlesAtEveryZoom) {
    const QString shots = qEnvironmentVariable("DORVANA_SHOTS");
    const auto save = [&](const QString& name) {
        if (!shots.isEmpty()) window->grab().save(QDir(shots).filePath(name + QStringLiteral(".png")));
    };
    window->resize(1100, 800);
    TSesPrvek* e = headerElement(2);
    doc->select(e);
    for (const int zoom : {kZoomStep100, 3}) {
        window->setZoomIndex(zoom);
        QApplication::processEvents();
        const QRect r = surface->elementRect(e);
        EXPECT_NEAR(r.width(), e->W * zoomFactor(zoom), 1.5) << zoom;
        const QImage image = surface->grab().toImage();
        // The middle of each corner handle (5 x 5 squares inside the box).
        for (const QPoint p : {r.topLeft() + QPoint(2, 2), QPoint(r.right() - 2, r.top() + 2),
                               QPoint(r.left() + 2, r.bottom() - 2), r.bottomRight() - QPoint(2, 2)})
            EXPECT_EQ(QColor(image.pixel(p)), QColor(Qt::black)) << "zoom " << zoom << " at " << p.x() << "," << p.y();
        save(QStringLiteral("designer-zoom-%1").arg(qRound(zoomFactor(zoom) * 100)));
    }
    auto* tabs = window->palette()->findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    for (int page = 0; page < tabs->count(); ++page) {
        window->palette()->setPage(page);
        QApplication::processEvents();
        save(QStringLiteral("designer-palette-%1").arg(page));
    }
}

TEST_F(DesignerWindow, DraggingAHandleResizesAndStopsAtTheSectionEdge) {
    editModel([](ReportModel& m) { m.rasterX = 1; });
    TSesPrvek* e = headerElement(4);  // cena 610 + 116 = the right edge
    const QRect r = surface->elementRect(e);
    drag(QPoint(r.left() + 1, r.center().y()), QPoint(r.left() + 1 - 50, r.center().y()));
    EXPECT_EQ(e->X, 560);
    EXPECT_EQ(e->W, 166);
    const QRect moved = surface->elementRect(e);
    drag(moved.center(), moved.center() + QPoint(300, 0));
    EXPECT_EQ(e->X + e->W, doc->sectionWidth());
}

TEST_F(DesignerWindow, KeysMoveByTheRasterOrOneUnitAndResize) {
    TSesPrvek* e = headerElement(2);
    QTest::mouseClick(surface, Qt::LeftButton, {}, centre(e));
    ASSERT_EQ(doc->current(), e);
    QTest::keyClick(surface, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(e->X, 98);  // the template's raster 8
    QTest::keyClick(surface, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(e->X, 97);
    QTest::keyClick(surface, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(e->Y, 16);
    QTest::keyClick(surface, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(e->W, 301);
    QTest::keyClick(surface, Qt::Key_Right);  // without a modifier: nothing
    EXPECT_EQ(e->X, 97);
    EXPECT_EQ(window->objectBar()->geometryField(2)->text(), QStringLiteral("301"));
    QTest::keyClick(surface, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(headerElement(2), e);  // undo keeps the element itself
    EXPECT_EQ(e->W, 300);
    EXPECT_EQ(e->X, 97);

    // A locked section ignores the keys.
    editModel([](ReportModel& m) { m.page().section(PlanSection::PageHeader)->locked = true; });
    e = headerElement(2);
    doc->select(e);
    QTest::keyClick(surface, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(e->X, 97);
}

TEST_F(DesignerWindow, SeveralSelectedElementsMoveTogether) {
    TSesPrvek* a = headerElement(2);
    TSesPrvek* b = headerElement(3);
    QTest::mouseClick(surface, Qt::LeftButton, {}, centre(a));
    QTest::mouseClick(surface, Qt::LeftButton, Qt::ShiftModifier, centre(b));
    EXPECT_EQ(doc->selectionCount(), 2);
    EXPECT_EQ(doc->current(), a);
    drag(centre(a), centre(a) + QPoint(-40, 0));
    EXPECT_EQ(a->X, 50);
    EXPECT_EQ(b->X, 360);
    doc->undo();
    EXPECT_EQ(headerElement(2)->X, 90);
    EXPECT_EQ(headerElement(3)->X, 400);
}

TEST_F(DesignerWindow, ARubberBandTogglesTheElementsItTouches) {
    TSesPrvek* a = headerElement(1);
    QTest::mouseClick(surface, Qt::LeftButton, {}, centre(a));
    const QRect header = surface->sectionRect(PlanSection::PageHeader);
    // From empty space above "cislo" (current) to the middle of "nazev1": the
    // current one goes, the other becomes the selection.
    drag(QPoint(header.left() + 2, header.top() + 10), centre(headerElement(2)) + QPoint(0, 30),
         Qt::ShiftModifier);
    EXPECT_EQ(doc->current(), headerElement(2));
    EXPECT_EQ(doc->selectionCount(), 1);
    EXPECT_NE(doc->current(), a);
}

TEST_F(DesignerWindow, APaletteButtonInsertsAtTheSnappedClickAndReturnsToTheArrow) {
    DesignerPalette* palette = window->palette();
    palette->setPage(DesignerPalette::Graphics);
    QToolButton* ellipse = palette->button(5);
    ASSERT_TRUE(ellipse);
    EXPECT_EQ(ellipse->accessibleName(), QStringLiteral("Elipsa"));
    QTest::mouseClick(ellipse, Qt::LeftButton);
    EXPECT_EQ(palette->tool(), 5);
    EXPECT_EQ(surface->tool(), 5);
    const QRect footer = surface->sectionRect(PlanSection::ReportEnd);
    QTest::mouseClick(surface, Qt::LeftButton, {}, footer.topLeft() + QPoint(13, 10));
    TSesPrvek* e = doc->current();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->type(), ElementType::Ellipse);
    EXPECT_EQ(e->X, 16);
    EXPECT_EQ(e->Y, 8);
    EXPECT_EQ(palette->tool(), 0);
    EXPECT_EQ(surface->tool(), 0);
    EXPECT_TRUE(doc->templateLines().contains(QStringLiteral("K,10,0,16,8,200,20,,1,0,0,15,0,1,0")));

    palette->setPage(DesignerPalette::Fields);
    ASSERT_EQ(palette->buttons().size(), doc->fieldNames().size());
    EXPECT_EQ(palette->button(2001)->toolTip(), QStringLiteral("Položka nazev1"));
    palette->setPage(DesignerPalette::Parameters);
    EXPECT_EQ(palette->buttons().size(), 2);
    palette->setPage(DesignerPalette::Variables);
    EXPECT_EQ(palette->buttons().size(), 8 + 4);  // one group
    palette->setPage(DesignerPalette::Functions);
    EXPECT_EQ(palette->buttons().size(), 2);
    EXPECT_FALSE(palette->removeFunctionButton()->isVisible());
    QTest::mouseClick(palette->button(10001), Qt::LeftButton);
    EXPECT_TRUE(palette->removeFunctionButton()->isVisible());
}

TEST_F(DesignerWindow, CopyAndPasteThroughTheCommands) {
    TSesPrvek* a = headerElement(1);
    QTest::mouseClick(surface, Qt::LeftButton, {}, centre(a));
    QTest::keyClick(surface, Qt::Key_C, Qt::ControlModifier);
    QAction* paste = window->findChild<QAction*>(QStringLiteral("paste"));
    ASSERT_TRUE(paste->isEnabled());
    paste->trigger();
    EXPECT_TRUE(surface->pasteMode());
    const QRect body = surface->sectionRect(PlanSection::ReportEnd);
    const int before = doc->section(PlanSection::ReportEnd)->elementCount();
    QTest::mouseClick(surface, Qt::LeftButton, {}, body.topLeft() + QPoint(200, 8));
    EXPECT_EQ(doc->section(PlanSection::ReportEnd)->elementCount(), before + 1);
    EXPECT_EQ(doc->current()->X, 200);
    EXPECT_FALSE(surface->pasteMode());
    QTest::keyClick(surface, Qt::Key_Delete);
    EXPECT_EQ(doc->section(PlanSection::ReportEnd)->elementCount(), before);
}

TEST_F(DesignerWindow, ASectionHeightIsDraggedByItsStrip) {
    const QRect body = surface->sectionRect(PlanSection::Body);
    const QPoint strip(body.left() + 100, body.bottom() + 8);
    drag(strip, strip + QPoint(0, 30));
    EXPECT_EQ(doc->section(PlanSection::Body)->height, 48);  // 18 + 30 on the raster of 8
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit změna výšky oddílu"));
    const QRect taller = surface->sectionRect(PlanSection::Body);
    drag(QPoint(taller.left() + 100, taller.bottom() + 8), QPoint(taller.left() + 100, 0));
    EXPECT_EQ(doc->section(PlanSection::Body)->height, 2);  // never below 2
}

TEST_F(DesignerWindow, ClosingWithChangesAsks) {
    doc->setSectionHeight(PlanSection::Body, 40);
    messages.answers = {Messages::Answer::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(messages.shown.last(),
              QStringLiteral("ask: V předloze sestavy byly provedeny změny. Uložit?"));

    messages.answers = {Messages::Answer::Yes};
    EXPECT_TRUE(window->close());
    EXPECT_NE(fileBytes(path), original);
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("cenik.BAK"))), original);
}

TEST_F(DesignerWindow, ClosingWithoutSavingKeepsTheFile) {
    doc->setSectionHeight(PlanSection::Body, 40);
    messages.answers = {Messages::Answer::No};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(fileBytes(path), original);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("cenik.BAK"))));
}

TEST_F(DesignerWindow, ATypedWidthThatIsNotANumberShowsTheElementsAgain) {
    TSesPrvek* e = headerElement(2);
    QTest::mouseClick(surface, Qt::LeftButton, {}, centre(e));
    QLineEdit* width = window->objectBar()->geometryField(2);
    width->setText(QStringLiteral("x1"));
    QTest::keyClick(width, Qt::Key_Return);
    EXPECT_EQ(width->text(), QStringLiteral("300"));
    // A width past the section's edge is refused with a word, never cut to fit.
    width->setText(QStringLiteral("9999"));
    QTest::keyClick(width, Qt::Key_Return);
    EXPECT_LE(e->X + e->W, doc->sectionWidth());
    EXPECT_EQ(e->W, 300);
    EXPECT_EQ(width->text(), QStringLiteral("300"));
    EXPECT_EQ(messages.shown.size(), 1);
}

}  // namespace
}  // namespace dorvana::test

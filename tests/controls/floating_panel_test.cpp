// The floating panel: moving inside its parent, resizing limits, the close button.
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "controls/floating_panel.h"

namespace dorvana {
namespace {

TEST(FloatingPanel, PositionIsClampedToKeepAPartInsideTheParent) {
    const QSize panel(200, 100), parent(600, 400);
    const struct {
        QPoint proposed, expected;
    } cases[] = {
        {{100, 50}, {100, 50}},      {{5000, 50}, {580, 50}},     {{-5000, 50}, {-180, 50}},
        {{100, -500}, {100, -12}},   {{100, 5000}, {100, 385}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(clampFloatingPanelPosition(c.proposed, panel, parent, 22), c.expected) << c.proposed.x();
}

TEST(FloatingPanel, DraggedFarRightItKeepsTwentyPixelsInside) {
    QWidget parent;
    parent.resize(600, 400);
    TPlovouciPanel panel(&parent);
    panel.setGeometry(50, 50, 200, 150);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    QSignalSpy moves(&panel, &TPlovouciPanel::panelMove);
    QSignalSpy ends(&panel, &TPlovouciPanel::endMove);

    const QPoint grip(40, 10);
    QTest::mousePress(&panel, Qt::LeftButton, {}, grip);
    QTest::mouseMove(&panel, grip + QPoint(30, 0));
    EXPECT_EQ(panel.pos(), QPoint(50, 50));  // moving is off by default
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, grip);

    panel.setMoveEnabled(true);
    QTest::mousePress(&panel, Qt::LeftButton, {}, grip);
    QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(2000, 0)),
                     panel.mapToGlobal(QPointF(grip + QPoint(2000, 0))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &move);
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, panel.mapFromParent(QPoint(590, 60)));
    EXPECT_EQ(panel.x(), 600 - 20);
    EXPECT_EQ(panel.y(), 50);
    EXPECT_GE(moves.count(), 1);
    EXPECT_EQ(ends.count(), 1);
}

TEST(FloatingPanel, TheMoveHandlerMayChangeThePosition) {
    QWidget parent;
    parent.resize(600, 400);
    TPlovouciPanel panel(&parent);
    panel.setGeometry(50, 50, 200, 150);
    panel.setMoveEnabled(true);
    QObject::connect(&panel, &TPlovouciPanel::panelMove, &panel, [](int* x, int* y) {
        *x = 7;
        *y = 8;
    });
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(40, 10));
    QTest::mouseMove(&panel, QPoint(60, 20));
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(60, 20));
    EXPECT_EQ(panel.pos(), QPoint(7, 8));
}

TEST(FloatingPanel, ResizingStopsAtTheMinimumSize) {
    QWidget parent;
    parent.resize(600, 400);
    TPlovouciPanel panel(&parent);
    panel.setGeometry(50, 50, 200, 150);
    panel.setResizeStyle(TPlovouciPanel::ResizeStyle::rsBoth);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    const QPoint edge(199, 75);  // on the right edge
    QTest::mousePress(&panel, Qt::LeftButton, {}, edge);
    QMouseEvent move(QEvent::MouseMove, QPointF(edge - QPoint(500, 0)),
                     panel.mapToGlobal(QPointF(edge - QPoint(500, 0))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &move);
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, edge);
    EXPECT_EQ(panel.width(), 11);
    EXPECT_EQ(panel.x(), 50);
}

TEST(FloatingPanel, TheCloseButtonHidesThePanel) {
    QWidget parent;
    TPlovouciPanel panel(&parent);
    panel.setGeometry(0, 0, 300, 200);
    parent.show();
    EXPECT_EQ(panel.cancelButton()->geometry(), QRect(300 - 22 + 1 - 2, 4 + 2, 15, 15));
    QSignalSpy cancels(&panel, &TPlovouciPanel::clickCancel);
    QTest::mouseClick(panel.cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(cancels.count(), 1);
}

}  // namespace
}  // namespace dorvana

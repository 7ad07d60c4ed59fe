#include <QToolButton>
#include <gtest/gtest.h>

#include "controls/sliding_panel.h"

namespace dorvana {
namespace {

struct Strip {
    QWidget viewport;
    QToolButton left, right;
    TPosuvnyPanelSest* panel;
    Strip() {
        viewport.resize(200, 30);
        panel = new TPosuvnyPanelSest(&viewport);
        panel->attachButtons(&left, &right, nullptr, nullptr);
    }
};

TEST(SlidingPanel, ScrollsInStepsWithinTheViewport) {
    Strip s;
    s.panel->setUp(500, 30, 64);
    EXPECT_FALSE(s.left.isEnabled());
    EXPECT_TRUE(s.right.isEnabled());
    s.right.click();
    EXPECT_EQ(s.panel->offsetX(), -64);
    EXPECT_EQ(s.panel->pos().x(), -64);
    EXPECT_TRUE(s.left.isEnabled());
    s.panel->scrollBySteps(-10, 0);
    EXPECT_EQ(s.panel->offsetX(), -300);  // the panel's right edge on the viewport's
    EXPECT_FALSE(s.right.isEnabled());
    s.panel->scrollByPixels(1000, 50);
    EXPECT_EQ(s.panel->offsetX(), 0);
    EXPECT_EQ(s.panel->offsetY(), 0);
}

TEST(SlidingPanel, APanelSmallerThanItsViewportDoesNotScroll) {
    Strip s;
    s.panel->setAutoHide(true);
    s.panel->setUp(120, 30);
    s.panel->scrollByPixels(-50, -50);
    EXPECT_EQ(s.panel->offsetX(), 0);
    EXPECT_EQ(s.panel->offsetY(), 0);
    EXPECT_FALSE(s.left.isEnabled());
    EXPECT_FALSE(s.right.isEnabled());
    EXPECT_TRUE(s.left.isHidden());
    s.panel->setUp(400, 30);
    EXPECT_FALSE(s.left.isHidden());
}

}  // namespace
}  // namespace dorvana

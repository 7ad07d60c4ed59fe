// The stored window placement: read, and fitted onto the screens there are.
#include <gtest/gtest.h>

#include "app/core/window_placement.h"

namespace dorvana {
namespace {

TEST(WindowPlacement, TextsAreReadOrRefused) {
    const auto p = parseWindowPlacement(QStringLiteral("10,20,800,600,1"));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->rect, QRect(10, 20, 800, 600));
    EXPECT_TRUE(p->maximized);
    for (const char* bad : {"", "1,2,3", "a,b,800,600", "0,0,399,600", "0,0,800,299",
                            "0,0,99999999999,600"})
        EXPECT_FALSE(parseWindowPlacement(QString::fromLatin1(bad))) << bad;
}

TEST(WindowPlacement, APlaceOffEveryScreenIsMovedAndShrunkOntoOne) {
    const QList<QRect> screens{QRect(0, 0, 1920, 1050), QRect(1920, 0, 1280, 1024)};
    const struct {
        QRect wanted, want;
    } cases[] = {
        {QRect(100, 100, 800, 600), QRect(100, 100, 800, 600)},           // fits: unchanged
        {QRect(2000, 50, 800, 600), QRect(2000, 50, 800, 600)},           // on the second screen
        {QRect(-5000, -5000, 800, 600), QRect(0, 0, 800, 600)},           // off to the top left
        {QRect(9000, 200, 800, 600), QRect(1120, 200, 800, 600)},         // beyond every edge: the first
        {QRect(3000, 900, 800, 600), QRect(2400, 424, 800, 600)},         // partly off the second
        {QRect(10, 10, 50000, 40000), QRect(0, 0, 1920, 1050)},           // larger than any screen
        {QRect(2147483000, 2147483000, 500, 400), QRect(1420, 650, 500, 400)},  // near the int range's end
    };
    for (const auto& c : cases)
        EXPECT_EQ(fitOntoScreens(c.wanted, screens), c.want) << c.wanted.x() << "," << c.wanted.y();
    EXPECT_EQ(fitOntoScreens(QRect(-900, 5, 800, 600), {}), QRect(-900, 5, 800, 600));
}

}  // namespace
}  // namespace dorvana

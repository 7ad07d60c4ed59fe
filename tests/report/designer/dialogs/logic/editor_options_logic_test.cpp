#include <gtest/gtest.h>

#include "report/designer/dialogs/logic/editor_options_logic.h"

namespace dorvana {
namespace {

TEST(EditorOptionsDialog, ZoomItems) {
    const QStringList items = zoomItems();
    ASSERT_EQ(items.size(), 16);
    EXPECT_EQ(items.first(), QStringLiteral("32 %"));
    EXPECT_EQ(items[5], QStringLiteral("83 %"));
    EXPECT_EQ(items[6], QStringLiteral("100 %"));
    EXPECT_EQ(items[7], QStringLiteral("117 %"));
    EXPECT_EQ(items.last(), QStringLiteral("300 %"));
}

TEST(EditorOptionsDialog, NumbersAreIntegersOrNothingIsTaken) {
    EditorOptions o;
    EditorOptionsTexts t = editorOptionsTexts(o);
    EXPECT_EQ(t.undoSteps, QStringLiteral("10"));
    t.rasterX = QStringLiteral(" 12 ");
    t.width = QStringLiteral("150");
    QString error;
    const auto ok = applyEditorOptionsTexts(o, t, &error);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->RastrX, 12);
    EXPECT_EQ(ok->ImplSirka, 150);
    t.height = QStringLiteral("2,5");
    EXPECT_FALSE(applyEditorOptionsTexts(o, t, &error));
    EXPECT_EQ(error, QStringLiteral("'2,5' není platné celé číslo."));
}

}  // namespace
}  // namespace dorvana

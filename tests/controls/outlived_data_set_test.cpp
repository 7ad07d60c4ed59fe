// Controls that outlive the data set they show: when the data set goes first
// (a window replacing its table), every attached control forgets it.
#include <gtest/gtest.h>

#include "controls/data_memo.h"
#include "controls/marking_grid.h"
#include "controls/navigator.h"
#include "label_fixture.h"

namespace dorvana {
namespace {

TEST(AttachedControls, ForgetADataSetDestroyedBeforeThem) {
    TDbGridZelvan grid;
    TDBNavign nav;
    TDBMemoZelvan memo;
    {
        test::LabelFixture data(5);
        grid.setDataSet(data.dataSet.get());
        nav.setDataSet(data.dataSet.get());
        memo.setDataSet(data.dataSet.get());
        memo.setDataField(QStringLiteral("nazev1"));
        EXPECT_EQ(memo.toPlainText(), QStringLiteral("Položka 1"));
    }
    EXPECT_EQ(grid.dataSet(), nullptr);
    EXPECT_EQ(nav.dataSet(), nullptr);
    EXPECT_EQ(memo.dataSet(), nullptr);
    EXPECT_EQ(grid.model()->rowCount(), 0);
    EXPECT_TRUE(memo.toPlainText().isEmpty());
    for (int i = 0; i < kNavButtonCount; ++i) EXPECT_FALSE(nav.button(i)->isEnabled()) << i;

    // Attaching to another data set still works, and so does destroying the controls after it.
    test::LabelFixture other(2);
    grid.setDataSet(other.dataSet.get());
    nav.setDataSet(other.dataSet.get());
    EXPECT_EQ(grid.model()->rowCount(), 2);
    EXPECT_TRUE(nav.button(nnNext)->isEnabled());
}

}  // namespace
}  // namespace dorvana

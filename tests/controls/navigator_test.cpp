// The navigator: button states, page skip, replaced actions, keyboard and the layout rule.
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "controls/navigator.h"
#include "data/query.h"
#include "label_fixture.h"
#include "support/scripted_messages.h"

namespace dorvana {
namespace {

QList<int> enabledButtons(const TDBNavign& nav) {
    QList<int> out;
    for (int i = 0; i < kNavButtonCount; ++i)
        if (nav.button(i)->isEnabled()) out << i;
    return out;
}

TEST(Navigator, StatesFollowTheDataSet) {
    test::LabelFixture empty(0);
    TDBNavign nav;
    EXPECT_EQ(enabledButtons(nav), QList<int>());  // no data set
    nav.setDataSet(empty.dataSet.get());
    EXPECT_EQ(enabledButtons(nav), QList<int>({nnInsert, nnRefresh}));

    test::LabelFixture full(30);
    nav.setDataSet(full.dataSet.get());
    EXPECT_EQ(enabledButtons(nav),
              QList<int>({nnNext, nnPageDn, nnLast, nnInsert, nnDelete, nnEdit, nnRefresh}));
    full.dataSet->last();
    EXPECT_EQ(enabledButtons(nav),
              QList<int>({nnFirst, nnPageUp, nnPrior, nnInsert, nnDelete, nnEdit, nnRefresh}));
    nav.clickButton(nnEdit);
    EXPECT_EQ(enabledButtons(nav),
              QList<int>({nnFirst, nnPageUp, nnPrior, nnInsert, nnDelete, nnPost, nnCancel, nnRefresh}));
    nav.clickButton(nnCancel);
    nav.setEnabled(false);
    EXPECT_EQ(enabledButtons(nav), QList<int>());
    nav.setEnabled(true);
    QObject::connect(&nav, &TDBNavign::clickFind, &nav, [] {});
    full.dataSet->close();
    full.dataSet->open();
    EXPECT_TRUE(nav.button(nnFind)->isEnabled());
    full.dataSet->close();
    EXPECT_EQ(enabledButtons(nav), QList<int>());
}

TEST(Navigator, RefreshIsOffOverAQuery) {
    test::LabelFixture data(5);
    Query q;
    q.setText(QStringLiteral("SELECT T1.* FROM \"%1\" T1").arg(data.path));
    QString err;
    ASSERT_TRUE(q.open(&err)) << err.toStdString();
    TDBNavign nav;
    nav.setDataSet(q.dataSet());
    EXPECT_FALSE(nav.button(nnRefresh)->isEnabled());
    EXPECT_FALSE(nav.button(nnInsert)->isEnabled());  // query results are read-only
    EXPECT_TRUE(nav.button(nnNext)->isEnabled());
}

TEST(Navigator, PageSkipOfZeroOrLessMovesByTen) {
    test::LabelFixture data(40);
    TDBNavign nav;
    nav.setDataSet(data.dataSet.get());
    for (int skip : {0, -3, 10}) {
        nav.setPageSkip(skip);
        data.dataSet->setRecNo(15);
        nav.clickButton(nnPageUp);
        EXPECT_EQ(data.dataSet->recNo(), 5) << skip;
        nav.clickButton(nnPageDn);
        EXPECT_EQ(data.dataSet->recNo(), 15) << skip;
    }
    nav.setPageSkip(7);
    nav.clickButton(nnPageDn);
    EXPECT_EQ(data.dataSet->recNo(), 22);
}

TEST(Navigator, AnEditIsPostedBeforeTheButtonsMove) {
    test::LabelFixture data(3);
    test::ScriptedMessages messages;
    TDBNavign nav;
    nav.setMessages(&messages);
    nav.setDataSet(data.dataSet.get());
    QString err;
    ASSERT_TRUE(data.dataSet->edit(&err));
    ASSERT_TRUE(data.dataSet->findField(QStringLiteral("nazev2"))->setText(QStringLiteral("Změněno"), &err));
    nav.clickButton(nnNext);
    EXPECT_EQ(data.dataSet->recNo(), 2);
    data.dataSet->first();
    EXPECT_EQ(data.dataSet->findField(QStringLiteral("nazev2"))->displayText(), QStringLiteral("Změněno"));

    // A post the table refuses keeps the record current and says why.
    ASSERT_TRUE(data.dataSet->edit(&err));
    ASSERT_TRUE(data.dataSet->findField(QStringLiteral("cislo"))->setText(QStringLiteral("20"), &err));
    nav.clickButton(nnLast);
    EXPECT_EQ(data.dataSet->recNo(), 1);
    EXPECT_EQ(data.dataSet->state(), DataSet::State::Edit);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].startsWith(QStringLiteral("error: ")));
}

TEST(Navigator, DeleteAsksUnlessAHandlerReplacesIt) {
    test::LabelFixture data(3);
    test::ScriptedMessages messages;
    TDBNavign nav;
    nav.setMessages(&messages);
    nav.setDataSet(data.dataSet.get());
    QSignalSpy before(&nav, &TDBNavign::beforeAction);
    QSignalSpy after(&nav, &TDBNavign::clicked);

    messages.answers = {Messages::Answer::No};
    nav.clickButton(nnDelete);
    EXPECT_EQ(data.dataSet->recordCount(), 3);
    EXPECT_EQ(messages.shown, QStringList({QStringLiteral("confirm: Delete record?")}));
    nav.clickButton(nnDelete);  // Yes
    EXPECT_EQ(data.dataSet->recordCount(), 2);

    int excluded = 0;
    QObject::connect(&nav, &TDBNavign::clickDelete, &nav, [&] { ++excluded; });
    messages.shown.clear();
    nav.clickButton(nnDelete);
    EXPECT_EQ(excluded, 1);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(data.dataSet->recordCount(), 2);
    EXPECT_EQ(before.count(), 3);
    EXPECT_EQ(after.count(), 3);
    EXPECT_EQ(after[2][0].toInt(), int(nnDelete));
}

TEST(Navigator, KeyboardMovesAmongVisibleButtonsAndSpaceClicks) {
    test::LabelFixture data(5);
    TDBNavign nav;
    nav.setDataSet(data.dataSet.get());
    nav.setVisibleButtons((1u << nnFirst) | (1u << nnNext) | (1u << nnLast));
    nav.show();
    nav.setFocus();
    QTest::keyClick(&nav, Qt::Key_Left);  // stays on the first button
    QTest::keyClick(&nav, Qt::Key_Right);
    QTest::keyClick(&nav, Qt::Key_Space);
    EXPECT_EQ(data.dataSet->recNo(), 2);
    QTest::keyClick(&nav, Qt::Key_Right);
    QTest::keyClick(&nav, Qt::Key_Right);  // stays on the last one
    QTest::keyClick(&nav, Qt::Key_Space);
    EXPECT_EQ(data.dataSet->recNo(), 5);
}

TEST(Navigator, HintsReplaceTheDefaultsByIndex) {
    TDBNavign nav;
    nav.setHints({QStringLiteral("Na první záznam"), QString(), QStringLiteral("O záznam zpět")});
    EXPECT_EQ(nav.button(nnFirst)->toolTip(), QStringLiteral("Na první záznam"));
    EXPECT_EQ(nav.button(nnPageUp)->toolTip(), QStringLiteral("Předchozí stránka"));
    EXPECT_EQ(nav.button(nnPrior)->accessibleName(), QStringLiteral("O záznam zpět"));
    EXPECT_EQ(nav.hint(nnFind), QStringLiteral("Najít"));
}

TEST(NavigatorLayout, ButtonsShareTheBarAndOverlapByOnePixel) {
    // Not aligned: the width is trimmed to n*d+1.
    NavigatorLayout lay = navigatorLayout(11, QSize(313, 25), true, false);
    EXPECT_EQ(lay.size, QSize(309, 25));
    ASSERT_EQ(lay.buttons.size(), 11);
    for (int i = 0; i < 11; ++i) EXPECT_EQ(lay.buttons[i], QRect(i * 28, 0, 29, 25)) << i;

    // Aligned: the 4 spare pixels go to 4 buttons spread along the bar.
    lay = navigatorLayout(11, QSize(313, 25), true, true);
    EXPECT_EQ(lay.size, QSize(313, 25));
    int wider = 0;
    for (const QRect& r : lay.buttons) wider += r.width() == 30;
    EXPECT_EQ(wider, 4);
    EXPECT_EQ(lay.buttons.last().right(), 312);
    EXPECT_EQ(lay.buttons[0].width(), 29);  // the error term starts at n/2

    // Minimum sizes.
    EXPECT_EQ(navigatorLayout(13, QSize(50, 5), true, false).size, QSize(13 * 19 + 1, 18));
    EXPECT_EQ(navigatorLayout(4, QSize(5, 5), false, false).size, QSize(20, 4 * 17 + 1));
    EXPECT_EQ(navigatorLayout(0, QSize(5, 5), true, false).buttons.size(), 0);
}

}  // namespace
}  // namespace dorvana

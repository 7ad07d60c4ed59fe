// The data-bound memo writes text fields back when it loses the focus and
// keeps to its longest text; the data-bound controls outlive their data sets.
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "controls/data_memo.h"
#include "controls/marking_grid.h"
#include "controls/navigator.h"
#include "label_fixture.h"
#include "support/scripted_messages.h"

namespace dorvana {
namespace {

TEST(DataMemo, LeavingTheMemoWritesTheTextIntoTheRecord) {
    test::LabelFixture data(2);
    test::ScriptedMessages messages;
    QWidget window;
    auto* memo = new TDBMemoZelvan(&window);
    auto* other = new QLineEdit(&window);
    auto* lay = new QVBoxLayout(&window);
    lay->addWidget(memo);
    lay->addWidget(other);
    memo->setMessages(&messages);
    memo->setDataSet(data.dataSet.get());
    memo->setDataField(QStringLiteral("nazev2"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);

    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("Krabice"));
    EXPECT_EQ(data.dataSet->state(), DataSet::State::Edit);
    other->setFocus();
    EXPECT_EQ(data.dataSet->findField(QStringLiteral("nazev2"))->displayText(), QStringLiteral("Krabice"));
    QString err;
    ASSERT_TRUE(data.dataSet->post(&err));
    data.dataSet->next();
    EXPECT_EQ(memo->toPlainText(), QString());
    data.dataSet->first();
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Krabice"));

    // A text longer than the field is refused when the record is posted; the
    // memo keeps it and the error is shown.
    memo->setFocus();
    memo->selectAll();
    QTest::keyClicks(memo, QString(50, QLatin1Char('x')));
    other->setFocus();
    EXPECT_FALSE(data.dataSet->post(&err));
    EXPECT_EQ(memo->toPlainText().size(), 50);
}

TEST(DataMemo, TypingAndPastingStopAtTheLongestText) {
    test::LabelFixture data(1);
    test::ScriptedMessages messages;
    TDBMemoZelvan memo;
    memo.setMessages(&messages);
    memo.setMaxLength(8);
    memo.setDataSet(data.dataSet.get());
    memo.setDataField(QStringLiteral("pozn"));
    memo.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&memo));
    memo.setFocus();
    QTest::keyClicks(&memo, QStringLiteral("Sklo!!"));
    // A paste in the middle keeps what fits of it, the end stays.
    QTextCursor c = memo.textCursor();
    c.setPosition(4);
    memo.setTextCursor(c);
    memo.insertPlainText(QStringLiteral("XYZW"));
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("SkloXY!!"));
    QTest::keyClick(&memo, Qt::Key_A);
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("SkloXY!!"));
    EXPECT_EQ(messages.beeps, 2);
    ASSERT_TRUE(memo.updateRecord());
    EXPECT_EQ(data.dataSet->findField(QStringLiteral("pozn"))->blob(), QByteArray("SkloXY!!"));

    // A longer note read from the record is shown whole; deleting works, adding does not.
    QString err;
    ASSERT_TRUE(data.dataSet->findField(QStringLiteral("pozn"))->setBlob("0123456789AB", &err));
    ASSERT_TRUE(data.dataSet->post(&err));
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("0123456789AB"));
    memo.moveCursor(QTextCursor::End);
    QTest::keyClick(&memo, Qt::Key_Backspace);
    QTest::keyClick(&memo, Qt::Key_C);
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("0123456789A"));
}

TEST(DataControls, ForgetADataSetThatIsDestroyed) {
    auto data = std::make_unique<test::LabelFixture>(3);
    test::LabelFixture other(2);
    TDbGridZelvan grid;
    TDBNavign nav;
    TDBMemoZelvan memo;
    grid.setDataSet(data->dataSet.get());
    nav.setDataSet(data->dataSet.get());
    memo.setDataField(QStringLiteral("nazev1"));
    memo.setDataSet(data->dataSet.get());
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("Položka 1"));
    data.reset();
    EXPECT_EQ(grid.dataSet(), nullptr);
    EXPECT_EQ(grid.model()->rowCount(), 0);
    EXPECT_EQ(nav.dataSet(), nullptr);
    EXPECT_FALSE(nav.button(nnFirst)->isEnabled() || nav.button(nnInsert)->isEnabled());
    EXPECT_EQ(memo.dataSet(), nullptr);
    EXPECT_TRUE(memo.toPlainText().isEmpty());
    // Binding them again never touches the one that is gone.
    grid.setDataSet(other.dataSet.get());
    nav.setDataSet(other.dataSet.get());
    memo.setDataSet(other.dataSet.get());
    EXPECT_EQ(grid.model()->rowCount(), 2);
    EXPECT_TRUE(nav.button(nnNext)->isEnabled());
}

}  // namespace
}  // namespace dorvana

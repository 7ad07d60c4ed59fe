// The data-bound memo writes text fields back when it loses the focus.
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "controls/data_memo.h"
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

}  // namespace
}  // namespace dorvana

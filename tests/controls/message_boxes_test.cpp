// The message boxes answer with the button the user presses.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "controls/message_boxes.h"
#include "support/scripted_messages.h"

namespace dorvana {
namespace {

// Presses the button of the message box that opens next.
void pressWhenShown(QMessageBox::StandardButton button, QString* seenText) {
    QTimer::singleShot(0, [button, seenText] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                *seenText = box->text();
                box->button(button)->click();
                return;
            }
        }
        pressWhenShown(button, seenText);
    });
}

TEST(MessageBoxes, QuestionsAnswerWithThePressedButton) {
    MessageBoxes boxes;
    QString text;
    pressWhenShown(QMessageBox::No, &text);
    EXPECT_FALSE(boxes.confirmQuestion(QStringLiteral("Ukončit program")));
    EXPECT_EQ(text, QStringLiteral("Ukončit program ?"));

    const struct {
        QMessageBox::StandardButton pressed;
        Messages::Answer answer;
    } cases[] = {{QMessageBox::Yes, Messages::Answer::Yes},
                 {QMessageBox::No, Messages::Answer::No},
                 {QMessageBox::Cancel, Messages::Answer::Cancel}};
    for (const auto& c : cases) {
        pressWhenShown(c.pressed, &text);
        EXPECT_EQ(boxes.ask(QStringLiteral("Uložit?")), c.answer);
    }
}

TEST(ScriptedMessages, AnswersFromTheScriptThenYes) {
    test::ScriptedMessages m;
    m.answers = {Messages::Answer::No};
    EXPECT_FALSE(m.confirmQuestion(QStringLiteral("Smazat")));
    EXPECT_TRUE(m.confirm(QStringLiteral("Znovu")));
    EXPECT_EQ(m.shown, QStringList({QStringLiteral("confirm: Smazat ?"),
                                    QStringLiteral("confirm: Znovu")}));
}

}  // namespace
}  // namespace dorvana

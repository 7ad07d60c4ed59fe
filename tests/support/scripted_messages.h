#pragma once
// Messages for tests: records every text shown and answers questions from a
// script (Yes when the script is empty).

#include <QList>
#include <QStringList>

#include "base/messages.h"

namespace dorvana::test {

class ScriptedMessages final : public Messages {
public:
    QStringList shown;             // every text, prefixed "error: ", "confirm: " ...
    QList<Answer> answers;         // taken from the front by confirm and ask
    int beeps = 0;

    void error(const QString& t) override { shown << QStringLiteral("error: ") + t; }
    void warning(const QString& t) override { shown << QStringLiteral("warning: ") + t; }
    void information(const QString& t) override { shown << QStringLiteral("information: ") + t; }
    bool confirm(const QString& t) override {
        shown << QStringLiteral("confirm: ") + t;
        return next() == Answer::Yes;
    }
    Answer ask(const QString& t) override {
        shown << QStringLiteral("ask: ") + t;
        return next();
    }
    void beep() override { ++beeps; }

private:
    Answer next() { return answers.isEmpty() ? Answer::Yes : answers.takeFirst(); }
};

}  // namespace dorvana::test

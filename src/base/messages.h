#pragma once
// How the program tells the user something or asks a question: error boxes,
// confirmations, Yes/No/Cancel questions and the system beep. The application
// shows real message boxes (controls/message_boxes.h); tests script the answers.

#include <QString>

namespace dorvana {

class Messages {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Messages() = default;
    // An error box: the text, the error symbol and OK.
    virtual void error(const QString& text) = 0;
    // A warning or information box with OK.
    virtual void warning(const QString& text) = 0;
    virtual void information(const QString& text) = 0;
    // A question with Yes and No; true for Yes. The text is shown as given.
    virtual bool confirm(const QString& text) = 0;
    // A question with Yes, No and Cancel.
    virtual Answer ask(const QString& text) = 0;
    // The system beep.
    virtual void beep() = 0;

    // The application's confirmation: the text with " ?" appended.
    bool confirmQuestion(const QString& text) { return confirm(text + QStringLiteral(" ?")); }
};

}  // namespace dorvana

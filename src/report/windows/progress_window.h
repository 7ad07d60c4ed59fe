#pragma once
// TFormInfo: the progress window of building and printing ("Informace"). It
// shows the page being built or what the print is doing, and its button
// "Přeruš" cancels the work. Long work polls cancelled(), which keeps the
// program responsive by processing pending events.

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>

#include "base/progress.h"

class QLabel;
class QPushButton;

namespace dorvana {

class ProgressWindow : public QDialog, public Progress {
    Q_OBJECT
public:
    // A new progress window is not cancelled. It is centred over `over` and
    // blocks input to every other window while it is shown (it has no parent,
    // so disabling the window that prints does not disable its button).
    explicit ProgressWindow(QWidget* over = nullptr);
    ~ProgressWindow() override;

    // The build progress: the step's text ("Připravuji tisk stránky číslo: n").
    void step(int done, int total, const QString& text) override;
    // True once "Přeruš" was pressed (pending events are processed first).
    bool cancelled() override;

    // Another display: "Čekám na uvolnění tiskárny ...", "Odesílám data do tiskárny ...".
    void showStatus(const QString& text);
    // Hides the window and restores the normal cursor.
    void finish();

    // Processes pending events, at most every few milliseconds so that a
    // poll per printed element costs next to nothing.
    void processEvents(bool force = false);

    QPushButton* cancelButton() const { return cancel_; }

protected:
    // Esc and closing the window cancel like "Přeruš"; the window stays.
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void display();

    QLabel* text_;
    QLabel* page_;
    QPushButton* cancel_;
    QPointer<QWidget> over_;
    QElapsedTimer sinceEvents_;
    bool cancelled_ = false;
    bool busyCursor_ = false;
};

}  // namespace dorvana

#pragma once
// The print pipeline's questions and dialogs as the user sees them: message
// boxes, the print dialog TPDialog, the progress window's displays and the
// wait for a busy printer, and the window disabled while it prints.

#include <QPointer>
#include <QWidget>

#include "base/messages.h"
#include "report/render/job/print_pipeline.h"

namespace dorvana {

class ProgressWindow;

class WindowPrintPrompts : public PrintPrompts {
public:
    // The print dialog over the printer; messages and progress as given.
    // window is the one disabled while printing (may be null).
    WindowPrintPrompts(Printer& printer, Messages& messages, ProgressWindow& progress,
                       QWidget* window);

    // Opens the settings of printer i from the print dialog's
    // "&Vlastnosti..." button; unset: the button is disabled.
    std::function<bool(int printerIndex)> properties;
    // Shows the dialog; tests replace it. Unset: a real TPDialog.
    std::function<bool(PrintDialogValues&)> dialog;

    void error(const QString& text) override { messages_.error(text); }
    bool confirm(const QString& text) override;
    Answer ask(const QString& text) override;
    bool printDialog(PrintDialogValues& values) override;
    void status(const QString& text) override;
    bool waitForPrinter() override;
    void setWindowEnabled(bool enabled) override;

private:
    Printer& printer_;
    Messages& messages_;
    ProgressWindow& progress_;
    QPointer<QWidget> window_;
};

}  // namespace dorvana

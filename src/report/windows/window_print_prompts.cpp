#include "report/windows/window_print_prompts.h"

#include <QThread>

#include "report/windows/print_dialog.h"
#include "report/windows/progress_window.h"

namespace dorvana {

WindowPrintPrompts::WindowPrintPrompts(Printer& printer, Messages& messages,
                                       ProgressWindow& progress, QWidget* window)
    : printer_(printer), messages_(messages), progress_(progress), window_(window) {}

bool WindowPrintPrompts::confirm(const QString& text) { return messages_.confirm(text); }

PrintPrompts::Answer WindowPrintPrompts::ask(const QString& text) {
    switch (messages_.ask(text)) {
        case Messages::Answer::Yes:
            return Answer::Yes;
        case Messages::Answer::No:
            return Answer::No;
        case Messages::Answer::Cancel:
            break;
    }
    return Answer::Cancel;
}

bool WindowPrintPrompts::printDialog(PrintDialogValues& values) {
    if (dialog) return dialog(values);
    TPDialog box(printer_, values, window_);
    if (properties) box.setPropertiesHandler(properties);
    if (!box.Execute()) return false;
    values = box.values();
    return true;
}

void WindowPrintPrompts::status(const QString& text) { progress_.showStatus(text); }

bool WindowPrintPrompts::waitForPrinter() {
    progress_.processEvents(true);
    QThread::msleep(100);
    return !progress_.cancelled();
}

void WindowPrintPrompts::setWindowEnabled(bool enabled) {
    if (window_) window_->setEnabled(enabled);
    if (enabled) progress_.finish();
}

}  // namespace dorvana

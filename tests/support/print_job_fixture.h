#pragma once
// The printers the print-job tests work with, and prompts that answer as a
// test says and remember what they were asked.

#include <QList>
#include <QString>
#include <memory>

#include "report/render/job/print_pipeline.h"
#include "support/fixture_printer_backend.h"

namespace dorvana::test {

// Kancelář (600 dpi A4, the default), Etikety (cab "Apollo 3/300", device
// fonts, 84 private bytes), Sklad (300 dpi A4), Malá (300 dpi, a sheet of
// 4 x 6 in).
inline constexpr int kOfficeIndex = 0;
inline constexpr int kLabelIndex = 1;
inline constexpr int kStoreIndex = 2;
inline constexpr int kSmallIndex = 3;
QList<FixturePrinter> fixturePrinters();
std::unique_ptr<FixturePrinterBackend> fixtureBackend();

class ScriptedPrompts : public PrintPrompts {
public:
    // Answers.
    bool confirmAnswer = true;
    Answer askAnswer = Answer::Yes;
    bool dialogAnswer = true;
    // The dialog's choices; a negative value keeps what the dialog showed.
    PrintDialogValues dialogChoice{-1, -1, -1, -1, {}};
    int waitsBeforeCancel = -1;  // -1: never cancel the wait

    // What happened.
    QStringList errors;
    QStringList confirmations;
    QStringList questions;
    QList<PrintDialogValues> dialogsShown;  // their paperNote is gone with the print
    QStringList paperNotes;  // what each dialog said of its printer's paper
    QStringList statuses;
    int waits = 0;
    int enabledChanges = 0;
    bool windowEnabled = true;

    void error(const QString& text) override { errors << text; }
    bool confirm(const QString& text) override {
        confirmations << text;
        return confirmAnswer;
    }
    Answer ask(const QString& text) override {
        questions << text;
        return askAnswer;
    }
    bool printDialog(PrintDialogValues& values) override;
    void status(const QString& text) override { statuses << text; }
    bool waitForPrinter() override;
    void setWindowEnabled(bool enabled) override {
        windowEnabled = enabled;
        ++enabledChanges;
    }
};

}  // namespace dorvana::test

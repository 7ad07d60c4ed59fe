#pragma once
// The answers of a print nobody watches (dorvana-cli render --printer): the
// pages built so far are printed, a page larger than the printer's sheet is
// fitted to it, the print dialog is passed by as it stands, and a printer
// busy with an earlier job is waited for at most a given time. Failures are
// kept as their messages.

#include <QDeadlineTimer>

#include "report/render/job/print_pipeline.h"

namespace dorvana {

class UnattendedPrintPrompts : public PrintPrompts {
public:
    explicit UnattendedPrintPrompts(int busyWaitSeconds = 60);

    QString message;      // the last error
    bool scaled = false;  // the page was fitted to the sheet

    void error(const QString& text) override { message = text; }
    bool confirm(const QString&) override { return true; }
    Answer ask(const QString&) override;
    bool printDialog(PrintDialogValues&) override { return true; }
    bool waitForPrinter() override;

private:
    QDeadlineTimer deadline_;
};

}  // namespace dorvana

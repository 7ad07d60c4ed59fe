#pragma once
// Printing a report run on a named printer without windows (dorvana-cli
// render --printer): the template's printers are applied once the template
// is loaded and put back when the print is done; the pipeline's questions
// get the answers a user who asked for the print would give (print the pages
// built so far, fit a too-large page to the printer's paper), and failures
// come back as their messages.
//
//   HeadlessPrint print(run);
//   if (!print.prepare("Sklad", &error)) ...    // after loading, before building
//   run.build(progress);
//   if (!print.print(options, &error)) ...

#include <QString>
#include <memory>

#include "base/progress.h"
#include "report/layout/report_run.h"
#include "report/render/job/template_printers.h"
#include "report/render/printer/printer.h"

namespace dorvana {

struct HeadlessPrintOptions {
    int copies = 0;  // 0: as the template's settings say (1 without any)
    int startPage = 1;
    int endPage = kDefaultEndPage;
    QString title;                 // the print job's title
    Progress* progress = nullptr;  // polled for cancelling while printing
    // How long to wait for a printer still busy with an earlier job.
    int busyWaitSeconds = 60;
};

class HeadlessPrint {
public:
    HeadlessPrint(ReportRun& run, Printer& printer = programPrinter(),
                  const QString& profilePath = QString());  // empty: the user's profile
    // Puts the printer settings back.
    ~HeadlessPrint();
    HeadlessPrint(const HeadlessPrint&) = delete;
    HeadlessPrint& operator=(const HeadlessPrint&) = delete;

    // Selects the named printer and applies the template's printers (which
    // sets the run's barcode-by-printer flag and the device fonts' character
    // set). False with the message when no printer or no printer of that
    // name is installed.
    bool prepare(const QString& printerName, QString* error);
    // Prints the built pages on the printer. False with the message when the
    // template's printers do not include it, or the job fails.
    bool print(const HeadlessPrintOptions& options, QString* error);

    // Whether the last print fitted the page to a smaller sheet.
    bool scaledToPaper() const { return scaled_; }

private:
    ReportRun& run_;
    Printer& printer_;
    QString profilePath_;
    std::unique_ptr<TemplatePrinters> templatePrinters_;
    int printerIndex_ = -1;
    bool scaled_ = false;
};

}  // namespace dorvana

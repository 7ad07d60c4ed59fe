#pragma once
// Printing a built report: the checks before the job (a printer at all, a
// cancelled build, the template's own printers, the paper), the device
// settings of the job (from the template, else "Def_Printer.drv"), copies,
// orientation and scaling; then the pages go to the printer. Every question
// and the print dialog go through PrintPrompts, so that the run window shows
// dialogs, the command line answers without them and tests answer as they
// please.

#include <QString>
#include <functional>

#include "report/layout/pages/page_store.h"
#include "report/layout/report_settings.h"
#include "report/render/job/template_printers.h"
#include "report/render/printer/job_paper.h"
#include "report/render/printer/printer.h"
#include "report/render/printer/printer_metrics.h"

namespace dorvana {

// What the print dialog shows and what the user chose in it.
struct PrintDialogValues {
    int printerIndex = -1;
    int firstPage = 1;
    int lastPage = 1;
    int copies = 1;
    // What the dialog says about the paper of printer i ("Papír tiskárny:
    // A4 — předloha má 60 x 40 mm"); empty when the paper is the
    // template's. Unset: nothing is said. Callable while the dialog shows.
    std::function<QString(int printerIndex)> paperNote;
};

class PrintPrompts {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~PrintPrompts() = default;
    // An error box.
    virtual void error(const QString& text) = 0;
    // A warning with Yes and No; true for Yes.
    virtual bool confirm(const QString& text) = 0;
    // A question with Yes, No and Cancel.
    virtual Answer ask(const QString& text) = 0;
    // The print dialog; false when cancelled.
    virtual bool printDialog(PrintDialogValues& values) = 0;
    // What the progress window shows now.
    virtual void status(const QString&) {}
    // Called while the printer is busy with an earlier job: lets time pass
    // (processing pending events); false once the user cancelled the wait.
    virtual bool waitForPrinter() = 0;
    // The window is disabled while it prints.
    virtual void setWindowEnabled(bool) {}
};

// What the report component asks of one print.
struct PrintRequest {
    int printerIndex = -1;        // -1: the printer selected now, no printer given
    bool showPrintDialog = true;  // ReportPrintDialog
    int printCopies = 1;          // PrintCopies; above 1 the component prints copy by copy
    int startPage = 1;            // StartPage; the dialog's first page may come back here
    int endPage = kDefaultEndPage;  // EndPage; likewise the dialog's last page
    QString title;                // Popis: the title of the print job
    // Copies of the job when no dialog asks for them; 0: as the template's
    // settings say.
    int copies = 0;
    bool previewMode = false;  // the pages were built for a preview already
};

class PrintPipeline {
public:
    // Prints pages first..last (1-based, clamped to the pages there are)
    // under a job title, with the printer's current settings and the page
    // store's scales; false when the job failed or was cancelled.
    using PagePrinter = std::function<bool(int first, int last, const QString& title)>;

    // metrics must work on the template's page geometry.
    PrintPipeline(Printer& printer, ReportPrinter& metrics, TemplatePrinters& templatePrinters,
                  PageStore& pages, PrintPrompts& prompts, PagePrinter printPages);

    // Builds the pages; returns whether the build was cancelled. Unset: the
    // pages are there already.
    std::function<bool()> buildPages;
    // Whether the last build was cancelled.
    bool buildCancelled = false;

    // Selects the printer, builds the pages unless they come from a preview,
    // asks about a cancelled build, and prints the pages.
    bool Print(PrintRequest& request);
    // Prints the built pages on the printer selected now.
    bool PrintPages(PrintRequest& request);

    // The sheet a print on printer index goes out on when neither the
    // template nor the user chose its paper (Unknown when they did).
    JobPaper templatePaper(int printerIndex);

private:
    // The device settings of the job on printer index: the template's
    // settings of the printer, else those the user confirmed, else the
    // program's default settings file, else the driver's with the template's
    // own paper. How the orientation is then set comes back in turned (the
    // page goes out turned on the sheet) and settingsOrientation (the
    // settings give it: a label printer's).
    bool jobSettings(int index, int listIndex, DeviceSettings& record, bool* turned,
                     bool* settingsOrientation);

    Printer& printer_;
    ReportPrinter& metrics_;
    TemplatePrinters& templatePrinters_;
    PageStore& pages_;
    PrintPrompts& prompts_;
    PagePrinter printPages_;
};

}  // namespace dorvana

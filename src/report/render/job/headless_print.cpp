#include "report/render/job/headless_print.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include "report/model/report_model.h"
#include "report/render/job/print_messages.h"
#include "report/render/job/print_pipeline.h"
#include "report/render/print_pages.h"
#include "report/render/printer/printer_metrics.h"
#include "report/render/printer/system_profile.h"

namespace dorvana {
namespace {

class HeadlessPrompts : public PrintPrompts {
public:
    explicit HeadlessPrompts(int busyWaitSeconds) : deadline_(busyWaitSeconds * 1000) {}

    QString message;
    bool scaled = false;

    void error(const QString& text) override { message = text; }
    bool confirm(const QString&) override { return true; }  // print the pages built so far
    Answer ask(const QString&) override {
        scaled = true;
        return Answer::Yes;  // fit the page to the printer's paper
    }
    bool printDialog(PrintDialogValues&) override { return true; }
    bool waitForPrinter() override {
        if (deadline_.hasExpired()) {
            message = QStringLiteral("Tiskárna je stále zaneprázdněna předchozí úlohou.");
            return false;
        }
        QCoreApplication::processEvents();
        QThread::msleep(200);
        return true;
    }

private:
    QDeadlineTimer deadline_;
};

}  // namespace

HeadlessPrint::HeadlessPrint(ReportRun& run, Printer& printer, const QString& profilePath)
    : run_(run),
      printer_(printer),
      profilePath_(profilePath.isEmpty() ? defaultSystemProfilePath() : profilePath) {}

HeadlessPrint::~HeadlessPrint() {
    if (templatePrinters_) templatePrinters_->restore();
}

bool HeadlessPrint::prepare(const QString& printerName, QString* error) {
    const auto fail = [&](const QString& message) {
        if (error) *error = message;
        return false;
    };
    if (printer_.count() == 0) return fail(print_messages::kNoPrinter);
    printerIndex_ = -1;
    const QList<PrinterEntry>& installed = printer_.entries();
    for (int i = 0; i < installed.size() && printerIndex_ < 0; ++i)
        if (installed[i].name == printerName) printerIndex_ = i;
    for (int i = 0; i < installed.size() && printerIndex_ < 0; ++i)
        if (installed[i].name.compare(printerName, Qt::CaseInsensitive) == 0) printerIndex_ = i;
    if (printerIndex_ < 0)
        return fail(QStringLiteral("Tiskárna \"%1\" není nainstalována.").arg(printerName));
    if (!printer_.setPrinterIndex(printerIndex_)) return fail(printer_.lastError());

    if (templatePrinters_) templatePrinters_->restore();
    templatePrinters_ =
        std::make_unique<TemplatePrinters>(printer_, run_.model().printers, profilePath_);
    templatePrinters_->load(run_.model());
    run_.barcodeByPrinter = templatePrinters_->barcodeByPrinter();
    return true;
}

bool HeadlessPrint::print(const HeadlessPrintOptions& options, QString* error) {
    if (!templatePrinters_ || printerIndex_ < 0) {
        if (error) *error = print_messages::kNoPrinter;
        return false;
    }
    HeadlessPrompts prompts(options.busyWaitSeconds);
    ReportPrinter metrics(printer_, run_.model().paper);
    NoProgress noProgress;
    Progress* progress = options.progress ? options.progress : &noProgress;
    QString printError;
    PrintPipeline pipeline(printer_, metrics, *templatePrinters_, run_.pages(), prompts,
                           [&](int first, int last, const QString& title) {
                               return printPages(printer_, run_.pages(), first, last, progress,
                                                 title, 1, &printError);
                           });
    pipeline.buildCancelled = run_.cancelled();
    PrintRequest request;
    request.printerIndex = printerIndex_;
    request.showPrintDialog = false;
    request.startPage = options.startPage;
    request.endPage = options.endPage;
    request.title = options.title;
    request.copies = options.copies;
    request.previewMode = true;  // the pages are built
    const bool ok = pipeline.Print(request);
    scaled_ = prompts.scaled;
    if (!ok && error) *error = !prompts.message.isEmpty() ? prompts.message : printError;
    return ok;
}

}  // namespace dorvana

#include "report/render/job/print_pipeline.h"

#include "report/render/job/print_messages.h"
#include "report/render/printer/settings_text.h"

namespace dorvana {
namespace {

// Enables the window again however printing ends.
class WindowDisabled {
public:
    explicit WindowDisabled(PrintPrompts& prompts) : prompts_(prompts) {
        prompts_.setWindowEnabled(false);
    }
    ~WindowDisabled() { prompts_.setWindowEnabled(true); }

private:
    PrintPrompts& prompts_;
};

}  // namespace

PrintPipeline::PrintPipeline(Printer& printer, ReportPrinter& metrics,
                             TemplatePrinters& templatePrinters, PageStore& pages,
                             PrintPrompts& prompts, PagePrinter printPages)
    : printer_(printer),
      metrics_(metrics),
      templatePrinters_(templatePrinters),
      pages_(pages),
      prompts_(prompts),
      printPages_(std::move(printPages)) {}

bool PrintPipeline::Print(PrintRequest& request) {
    if (printer_.count() == 0) {
        prompts_.error(print_messages::kNoPrinter);
        return false;
    }
    const bool selected = request.printerIndex >= 0 ? printer_.setPrinterIndex(request.printerIndex)
                                                    : printer_.printerIndex() >= 0;
    if (!selected) {
        prompts_.error(printer_.lastError());
        return false;
    }
    WindowDisabled disabled(prompts_);
    if (!request.previewMode && buildPages) buildCancelled = buildPages();
    if (buildCancelled && !prompts_.confirm(print_messages::kPartialReport)) return false;
    return PrintPages(request);
}

bool PrintPipeline::PrintPages(PrintRequest& request) {
    TemplatePrinters& chosen = templatePrinters_;
    int index = printer_.printerIndex();
    if (index < 0) {
        prompts_.error(print_messages::kNoPrinter);
        return false;
    }

    // The copies the template's settings ask for.
    const QStringList settings = chosen.isEmpty() ? QStringList()
                                 : request.printerIndex < 0
                                     ? chosen.printSettings(0)
                                     : chosen.printSettings(chosen.findInstalled(index));
    int copies = 1;
    DeviceSettings record = printer_.settings().value_or(DeviceSettings());
    if (!settings.isEmpty() && ApplySettingsText(settings, record)) copies = record.copies;
    if (request.copies > 0) copies = request.copies;

    int first = request.startPage;
    int last = request.endPage;
    if (request.showPrintDialog) {
        PrintDialogValues values;
        values.printerIndex = index;
        values.firstPage = request.startPage;
        values.lastPage = request.printCopies == 1 ? pages_.pageCount() : request.endPage;
        values.copies = copies;
        if (!prompts_.printDialog(values)) return false;
        if (request.printCopies > 1) {
            // Copy by copy: the component prints the chosen range itself.
            request.startPage = values.firstPage;
            request.endPage = values.lastPage;
            if (values.firstPage > 1) return false;
        }
        first = values.firstPage;
        last = values.lastPage;
        copies = values.copies;
        if (values.printerIndex != index) {
            if (!printer_.setPrinterIndex(values.printerIndex)) {
                prompts_.error(printer_.lastError());
                return false;
            }
            index = values.printerIndex;
        }
        if (!chosen.isEmpty()) chosen.setTemplatePrinter(chosen.findInstalled(index));
    }

    const int listIndex = chosen.findInstalled(index);
    if (!chosen.isEmpty() && listIndex < 0) {
        prompts_.error(chosen.wrongPrinterMessage());
        return false;
    }

    // Fresh device settings for the job.
    if (!printer_.resetSettings()) {
        prompts_.error(printer_.lastError());
        return false;
    }
    record = *printer_.settings();
    const int jobCopies = request.printCopies == 1 ? copies : request.printCopies;
    // Profile lines (Bcodeintrp=...) hold no device settings: then the
    // program's default settings file stands in, as for a template without any.
    const QStringList stored = chosen.printSettings(listIndex);
    if (stored.isEmpty() || !ApplySettingsText(stored, record))
        applySettingsFile(defaultPrinterFilePath(), record);
    record.copies = jobCopies;
    if (!stored.isEmpty()) chosen.storeSettings(listIndex, WriteSettingsText(record));
    printer_.setSettings(record);

    while (printer_.isBusy()) {
        prompts_.status(print_messages::kWaitingForPrinter);
        if (!prompts_.waitForPrinter()) return false;
    }

    metrics_.SelectReportPrinter(index);
    metrics_.ApplyOrientation();
    // The scales follow the resolution of the device as now oriented.
    metrics_.SelectReportPrinter(index);
    if (!metrics_.PaperFits()) {
        switch (prompts_.ask(print_messages::kPaperTooSmall)) {
            case PrintPrompts::Answer::Cancel:
                return false;
            case PrintPrompts::Answer::Yes:
                metrics_.FitToPaper();
                break;
            case PrintPrompts::Answer::No:
                break;
        }
    }
    const PrinterMetrics m = metrics_.metrics();
    pages_.printerScaleX = m.scaleX;
    pages_.printerScaleY = m.scaleY;

    prompts_.status(print_messages::kSending);
    return printPages_ && printPages_(first, last, request.title);
}

}  // namespace dorvana

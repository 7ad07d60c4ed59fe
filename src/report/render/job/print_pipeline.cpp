#include "report/render/job/print_pipeline.h"

#include <cmath>

#include "report/render/job/print_messages.h"
#include "report/render/printer/printer_kind.h"
#include "report/render/printer/qprinter_settings.h"
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
        values.paperNote = [this](int printerIndex) { return templatePaper(printerIndex).note; };
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
    bool turned = false;
    bool settingsOrientation = false;
    const bool fromTemplate = jobSettings(index, listIndex, record, &turned, &settingsOrientation);
    record.copies = request.printCopies == 1 ? copies : request.printCopies;
    if (fromTemplate) chosen.storeSettings(listIndex, WriteSettingsText(record));
    printer_.setSettings(record);

    while (printer_.isBusy()) {
        prompts_.status(print_messages::kWaitingForPrinter);
        if (!prompts_.waitForPrinter()) return false;
    }

    metrics_.SelectReportPrinter(index);
    if (!settingsOrientation) metrics_.ApplyOrientation(turned);
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

namespace dorvana {
namespace {

int tenthsOfMillimetre(int units) { return int(std::lround(templateMillimetres(units) * 10)); }

QSizeF millimetres(int width, int height) {
    return QSizeF(templateMillimetres(width), templateMillimetres(height));
}

}  // namespace

bool PrintPipeline::jobSettings(int index, int listIndex, DeviceSettings& record, bool* turned,
                                bool* settingsOrientation) {
    *turned = false;
    *settingsOrientation = false;
    // Profile lines (Bcodeintrp=...) hold no device settings: as no settings.
    const QStringList stored = templatePrinters_.printSettings(listIndex);
    if (!stored.isEmpty() && ApplySettingsText(stored, record)) {
        // A label printer's settings give the label's length under a paper
        // code that names no sheet: the label is as wide as the template's
        // paper, and it lies as the settings say.
        if (record.paperLength > 0 && QPageSize::id(record.paperSize) == QPageSize::Custom) {
            record.paperWidth = tenthsOfMillimetre(metrics_.geometry().paperWidth);
            *settingsOrientation =
                isThermalPrinterDriver(printer_.entries().value(index).driverName);
        }
        return true;
    }
    if (const auto confirmed = templatePrinters_.confirmed(record.deviceName)) {
        const QByteArray privateBytes = record.privateBytes;
        record = *confirmed;
        if (record.privateBytes.size() != privateBytes.size()) record.privateBytes = privateBytes;
        return false;
    }
    if (applySettingsFile(defaultPrinterFilePath(), record)) return false;
    const JobPaper paper = templatePaper(index);
    applyJobPaper(paper, metrics_.geometry().orientation > 0, record);
    *turned = paper.turned;
    return false;
}

JobPaper PrintPipeline::templatePaper(int printerIndex) {
    const QList<PrinterEntry>& entries = printer_.entries();
    if (printerIndex < 0 || printerIndex >= entries.size()) return {};
    const int listIndex = templatePrinters_.findInstalled(printerIndex);
    if (!templatePrinters_.isEmpty() && listIndex < 0) return {};  // refused anyway
    if (isSettingsText(templatePrinters_.printSettings(listIndex))) return {};
    if (templatePrinters_.confirmed(entries[printerIndex].name)) return {};
    DeviceSettings probe;
    if (applySettingsFile(defaultPrinterFilePath(), probe)) return {};
    const PageGeometry& g = metrics_.geometry();
    return templateJobPaper(millimetres(g.paperWidth, g.paperHeight),
                            millimetres(g.pageWidth(), g.pageHeight()),
                            printer_.papers(printerIndex));
}

}  // namespace dorvana

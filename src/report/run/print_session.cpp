#include "report/run/print_session.h"

#include "base/progress.h"
#include "report/model/report_model.h"
#include "report/render/job/print_messages.h"
#include "report/render/print_pages.h"
#include "report/render/printer/printer.h"
#include "report/render/printer/printer_metrics.h"
#include "report/render/printer/settings_text.h"
#include "report/render/printer/system_profile.h"
#include "report/run/report_component.h"

namespace dorvana {

// Passes the prompts on and notes whether the page was fitted to the sheet.
class PrintSession::ScaleWatch final : public PrintPrompts {
public:
    explicit ScaleWatch(PrintPrompts& to) : to_(to) {}
    bool scaled = false;

    void error(const QString& text) override { to_.error(text); }
    bool confirm(const QString& text) override { return to_.confirm(text); }
    Answer ask(const QString& text) override {
        const Answer answer = to_.ask(text);
        scaled = answer == Answer::Yes;
        return answer;
    }
    bool printDialog(PrintDialogValues& values) override { return to_.printDialog(values); }
    void status(const QString& text) override { to_.status(text); }
    bool waitForPrinter() override { return to_.waitForPrinter(); }
    void setWindowEnabled(bool enabled) override { to_.setWindowEnabled(enabled); }

private:
    PrintPrompts& to_;
};

PrintSession::PrintSession(TSestava& component, Printer& printer, const QString& profilePath)
    : component_(component),
      printer_(printer),
      profilePath_(profilePath.isEmpty() ? defaultSystemProfilePath() : profilePath),
      job_(component) {}

PrintSession::~PrintSession() {
    if (!templatePrinters_) return;
    templatePrinters_->stopReapplying();
    templatePrinters_->restore();
}

bool PrintSession::load(QString* error, bool applyPrinters) {
    if (!job_.load(error)) return false;
    if (applyPrinters) this->applyPrinters();
    return true;
}

void PrintSession::applyPrinters() {
    if (templatePrinters_) return;
    ReportModel& model = job_.run().model();
    templatePrinters_ = std::make_unique<TemplatePrinters>(printer_, model.printers, profilePath_);
    templatePrinters_->load(model);
    job_.run().barcodeByPrinter = templatePrinters_->barcodeByPrinter();
}

bool PrintSession::build(Progress& progress) {
    buildCancelled_ = !job_.build(progress);
    return !buildCancelled_;
}

int PrintSession::findPrinter(const QString& name, QString* error) {
    const auto fail = [&](const QString& message) {
        if (error) *error = message;
        return -1;
    };
    if (printer_.count() == 0) return fail(print_messages::kNoPrinter);
    const QList<PrinterEntry>& installed = printer_.entries();
    for (int i = 0; i < installed.size(); ++i)
        if (installed[i].name == name) return i;
    for (int i = 0; i < installed.size(); ++i)
        if (installed[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return fail(QStringLiteral("Tiskárna \"%1\" není nainstalována.").arg(name));
}

PrintRequest PrintSession::request() {
    PrintRequest request;
    request.showPrintDialog = component_.ReportPrintDialog;
    request.printCopies = component_.PrintCopies;
    request.startPage = component_.StartPage;
    request.endPage = component_.EndPage;
    // A job without a title of its own is named after the template's title.
    request.title = component_.Popis.isEmpty() ? job_.run().model().title : component_.Popis;
    return request;
}

bool PrintSession::print(PrintRequest& request, PrintPrompts& prompts, Progress* progress,
                         QString* error, const std::function<bool()>& buildPages) {
    applyPrinters();
    NoProgress noProgress;
    Progress& shown = progress ? *progress : noProgress;
    ReportPrinter metrics(printer_, job_.run().model().paper);
    ScaleWatch watch(prompts);
    QString printError;
    PrintPipeline pipeline(printer_, metrics, *templatePrinters_, job_.pages(), watch,
                           [&](int first, int last, const QString& title) {
                               return printPages(printer_, job_.pages(), first, last, &shown,
                                                 title, 1, &printError);
                           });
    pipeline.buildPages = [&] {
        const bool complete = buildPages ? buildPages() : build(shown);
        buildCancelled_ = !complete;
        return !complete;
    };
    pipeline.buildCancelled = buildCancelled_;
    const bool printed = pipeline.Print(request);
    scaled_ = watch.scaled;
    if (!printed && error) *error = printError;
    return printed;
}

std::optional<DeviceSettings> PrintSession::settingsToEdit(int printerIndex, QString* error) {
    applyPrinters();
    const QList<PrinterEntry>& entries = printer_.entries();
    if (printerIndex < 0 || printerIndex >= entries.size()) return std::nullopt;
    const PrinterEntry entry = entries[printerIndex];
    if (!printer_.setPrinter(entry.name, entry.driverName, entry.port, std::nullopt)) {
        if (error) *error = printer_.lastError();
        return std::nullopt;
    }
    DeviceSettings record = printer_.settings().value_or(DeviceSettings{});
    record.deviceName = entry.name;
    const int listIndex = templatePrinters_->findInstalled(printerIndex);
    const QStringList stored =
        listIndex >= 0 ? templatePrinters_->printSettings(listIndex) : QStringList();
    if (stored.isEmpty() || !ApplySettingsText(stored, record)) {
        if (const auto confirmed = templatePrinters_->confirmed(entry.name)) record = *confirmed;
    }
    return record;
}

void PrintSession::confirmSettings(int printerIndex, const DeviceSettings& confirmed) {
    applyPrinters();
    DeviceSettings record = confirmed;
    if (printerIndex >= 0 && printerIndex < printer_.count())
        record.deviceName = printer_.entries()[printerIndex].name;
    const int listIndex = templatePrinters_->findInstalled(printerIndex);
    if (listIndex >= 0) templatePrinters_->storeSettings(listIndex, WriteSettingsText(record));
    templatePrinters_->keepConfirmed(record);
    printer_.setSettings(record);
}

}  // namespace dorvana

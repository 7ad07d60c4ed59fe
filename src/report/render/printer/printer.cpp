#include "report/render/printer/printer.h"

#include "report/render/printer/cups_printer_backend.h"
#include "report/render/printer/system_profile.h"

namespace dorvana {
namespace {

const QString kIndexOutOfRange = QStringLiteral("Printer index out of range");
const QString kNoDefault = QStringLiteral("There is no default printer currently selected");
const QString kNotSupported = QStringLiteral("Operation not supported on selected printer");
const QString kNotValid = QStringLiteral("Printer selected is not valid");
const QString kInProgress = QStringLiteral("Printing in progress");
const QString kNotPrinting = QStringLiteral("Printer is not currently printing");

}  // namespace

Printer::Printer(std::unique_ptr<PrinterBackend> backend, const QString& systemProfilePath)
    : backend_(std::move(backend)), profilePath_(systemProfilePath) {}

Printer::~Printer() {
    if (job_) job_->abort();
}

bool Printer::fail(const QString& message) {
    error_ = message;
    return false;
}

bool Printer::setBackend(std::unique_ptr<PrinterBackend> backend) {
    if (job_) return fail(kInProgress);
    backend_ = std::move(backend);
    entries_.reset();
    displayTexts_.clear();
    index_ = -1;
    settings_.reset();
    aborted_ = false;
    pageNumber_ = 0;
    return true;
}

const QList<PrinterEntry>& Printer::entries() {
    if (!entries_) {
        entries_ = backend_ ? backend_->printers() : QList<PrinterEntry>();
        displayTexts_.clear();
        for (const PrinterEntry& e : *entries_) displayTexts_.append(e.name);
    }
    return *entries_;
}

QStringList Printer::printers() {
    entries();
    return displayTexts_;
}

int Printer::defaultPrinterIndex() {
    const QList<PrinterEntry>& list = entries();
    const QStringList names = {
        backend_ ? backend_->defaultPrinterName() : QString(),
        profilePath_.isEmpty() ? QString() : profileDefaultPrinter(profilePath_)};
    for (const QString& name : names) {
        if (name.isEmpty()) continue;
        for (int i = 0; i < list.size(); ++i)
            if (list[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    fail(kNoDefault);
    return -1;
}

void Printer::loadDefaults() {
    settings_ = backend_->defaultSettings(entries()[index_]);
    if (settings_) settings_->deviceName = entries()[index_].name;
}

bool Printer::ensureCurrent() {
    if (index_ >= 0) return true;
    if (entries().isEmpty()) return fail(kNotValid);
    int i = defaultPrinterIndex();
    if (i < 0) i = 0;  // the system names no default: the first printer stands in
    index_ = i;
    loadDefaults();
    return true;
}

int Printer::printerIndex() {
    return ensureCurrent() ? index_ : -1;
}

bool Printer::setPrinterIndex(int index) {
    if (job_) return fail(kInProgress);
    if (index == -1) {
        const int def = defaultPrinterIndex();
        if (def < 0) return false;
        index = def;
    }
    if (index < 0 || index >= count()) return fail(kIndexOutOfRange);
    if (index != index_ || !settings_) {
        index_ = index;
        loadDefaults();
    }
    return true;
}

bool Printer::getPrinter(QString* device, QString* driver, QString* port,
                         std::optional<DeviceSettings>* settings) {
    if (!ensureCurrent()) return false;
    const PrinterEntry& e = entries()[index_];
    if (device) *device = e.name;
    if (driver) *driver = e.driverName;
    if (port) *port = e.port;
    if (settings) *settings = settings_;
    return true;
}

bool Printer::setPrinter(const QString& device, const QString& driver, const QString& port,
                         const std::optional<DeviceSettings>& settings) {
    if (job_) return fail(kInProgress);
    entries();
    int found = -1;
    for (int i = 0; i < entries_->size() && found < 0; ++i)
        if ((*entries_)[i].name.compare(device, Qt::CaseInsensitive) == 0) found = i;
    if (found < 0) {
        entries_->append({device, driver, port});
        displayTexts_.append(QStringLiteral("%1 on %2").arg(device, port));
        found = int(entries_->size()) - 1;
    }
    index_ = found;
    if (settings) {
        settings_ = settings;
        settings_->deviceName = (*entries_)[found].name;
    } else {
        loadDefaults();
    }
    return true;
}

bool Printer::setPrinterWithPrompt(const QString& device, const QString& driver,
                                   const QString& port,
                                   const std::optional<DeviceSettings>& settings) {
    if (!setPrinter(device, driver, port, settings)) return false;
    if (!settings_) return fail(kNotValid);
    if (!prompt_) return false;
    DeviceSettings edited = *settings_;
    if (!prompt_(entries()[index_], edited)) return false;
    settings_ = edited;
    return true;
}

const std::optional<DeviceSettings>& Printer::settings() {
    ensureCurrent();
    return settings_;
}

bool Printer::setSettings(const DeviceSettings& settings) {
    if (!ensureCurrent()) return false;
    settings_ = settings;
    settings_->deviceName = entries()[index_].name;
    return true;
}

bool Printer::resetSettings() {
    if (!ensureCurrent()) return false;
    loadDefaults();
    return settings_.has_value() || fail(kNotValid);
}

bool Printer::setOrientation(int orientation) {
    if (!ensureCurrent() || !settings_) return fail(kNotSupported);
    settings_->orientation = orientation;
    return true;
}

DeviceCaps Printer::deviceCaps() {
    if (!ensureCurrent() || !settings_) return {};
    return backend_->deviceCaps(entries()[index_], *settings_);
}

bool Printer::isBusy() {
    return ensureCurrent() && backend_->isBusy(entries()[index_]);
}

QStringList Printer::deviceFonts() {
    if (!ensureCurrent()) return {};
    return backend_->deviceFonts(entries()[index_]);
}

QueuePapers Printer::papers(int index) {
    if (!backend_ || index < 0 || index >= count()) return {};
    return backend_->papers(entries()[index]);
}

bool Printer::beginDoc() {
    if (job_) return fail(kInProgress);
    if (!ensureCurrent() || !settings_) return fail(kNotValid);
    QString error;
    job_ = backend_->beginJob(entries()[index_], *settings_, title, &error);
    if (!job_) return fail(error.isEmpty() ? kNotValid : error);
    aborted_ = false;
    pageNumber_ = 1;
    return true;
}

bool Printer::newPage() {
    if (!job_) return fail(kNotPrinting);
    QString error;
    if (!job_->newPage(&error)) return fail(error);
    ++pageNumber_;
    return true;
}

bool Printer::endDoc() {
    if (!job_) return fail(kNotPrinting);
    QString error;
    const bool ok = job_->end(&error);
    job_.reset();
    return ok || fail(error);
}

bool Printer::abort() {
    if (!job_) return fail(kNotPrinting);
    job_->abort();
    job_.reset();
    aborted_ = true;
    return true;
}

QPainter* Printer::canvas() {
    return job_ ? job_->canvas() : nullptr;
}

Printer& programPrinter() {
    static Printer printer(std::make_unique<CupsPrinterBackend>(), defaultSystemProfilePath());
    return printer;
}

void installPrinterBackend(std::unique_ptr<PrinterBackend> backend) {
    programPrinter().setBackend(std::move(backend));
}

}  // namespace dorvana

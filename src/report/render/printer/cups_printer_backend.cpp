#include "report/render/printer/cups_printer_backend.h"

#include <cups/cups.h>

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "report/render/printer/printer_kind.h"
#include "report/render/printer/qprinter_settings.h"

namespace dorvana {
namespace {

constexpr int kLabelPrinterPrivateSize = 84;  // the cab layout ends at byte 83

// The queue set up with a record; false when Qt does not know the queue.
bool setUp(QPrinter& p, const PrinterEntry& printer, const DeviceSettings& settings) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer.name);
    if (info.isNull()) return false;
    p.setPrinterName(info.printerName());
    p.setOutputFormat(QPrinter::NativeFormat);
    applyDeviceSettings(p, settings);
    return true;
}

class QtPrintJob : public PrintJob {
public:
    QtPrintJob() : printer_(QPrinter::HighResolution) {}

    bool start(const PrinterEntry& entry, const DeviceSettings& settings, const QString& title,
               QString* error) {
        if (!setUp(printer_, entry, settings)) {
            *error = QStringLiteral("Printer selected is not valid");
            return false;
        }
        printer_.setDocName(title);
        // The canvas origin is the corner of the printable area, as on the
        // devices templates were made for: margins are the device's least.
        printer_.setFullPage(false);
        const QPageLayout layout = printer_.pageLayout();
        printer_.setPageMargins(layout.minimumMargins(), layout.units());
        if (!painter_.begin(&printer_)) {
            *error = QStringLiteral("Printer selected is not valid");
            return false;
        }
        return true;
    }
    QPainter* canvas() override { return &painter_; }
    bool newPage(QString* error) override {
        if (printer_.newPage()) return true;
        *error = QStringLiteral("Printer is not currently printing");
        return false;
    }
    bool end(QString* error) override {
        if (painter_.end() && printer_.printerState() != QPrinter::Error) return true;
        *error = QStringLiteral("Printer selected is not valid");
        return false;
    }
    void abort() override {
        printer_.abort();
        if (painter_.isActive()) painter_.end();
    }

private:
    QPrinter printer_;
    QPainter painter_;
};

}  // namespace

int privateAreaSize(const QString& driverName) {
    return isThermalPrinterDriver(driverName) ? kLabelPrinterPrivateSize : 0;
}

QList<PrinterEntry> CupsPrinterBackend::printers() {
    QList<PrinterEntry> out;
    cups_dest_t* dests = nullptr;
    const int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < n; ++i) {
        const cups_dest_t& d = dests[i];
        if (d.instance) continue;  // instances share their queue's device
        PrinterEntry e;
        e.name = QString::fromUtf8(d.name);
        e.driverName =
            QString::fromUtf8(cupsGetOption("printer-make-and-model", d.num_options, d.options));
        e.port = QString::fromUtf8(cupsGetOption("device-uri", d.num_options, d.options));
        out.append(e);
    }
    cupsFreeDests(n, dests);
    return out;
}

QString CupsPrinterBackend::defaultPrinterName() {
    cups_dest_t* dests = nullptr;
    const int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    QString name;
    if (const cups_dest_t* d = cupsGetDest(nullptr, nullptr, n, dests))
        name = QString::fromUtf8(d->name);
    cupsFreeDests(n, dests);
    return name;
}

std::optional<DeviceSettings> CupsPrinterBackend::defaultSettings(const PrinterEntry& printer) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer.name);
    if (info.isNull()) return std::nullopt;
    QPrinter p(info, QPrinter::HighResolution);
    const QPageSize size = info.defaultPageSize();
    if (size.isValid()) p.setPageSize(size);
    p.setPageOrientation(QPageLayout::Portrait);
    p.setCopyCount(1);
    DeviceSettings s = deviceSettingsOf(p);
    s.deviceName = printer.name;
    s.privateBytes = QByteArray(privateAreaSize(printer.driverName), '\0');
    return s;
}

DeviceCaps CupsPrinterBackend::deviceCaps(const PrinterEntry& printer,
                                          const DeviceSettings& settings) {
    QPrinter p(QPrinter::HighResolution);
    if (!setUp(p, printer, settings)) return {};
    DeviceCaps c;
    c.resolutionX = c.resolutionY = p.resolution();
    const QRect sheet = p.pageLayout().fullRectPixels(c.resolutionX);
    c.physicalWidth = sheet.width();
    c.physicalHeight = sheet.height();
    QPageLayout printable = p.pageLayout();
    printable.setMargins(printable.minimumMargins());
    const QRect area = printable.paintRectPixels(c.resolutionX);
    c.offsetX = area.x();
    c.offsetY = area.y();
    c.printableWidth = area.width();
    c.printableHeight = area.height();
    return c;
}

bool CupsPrinterBackend::isBusy(const PrinterEntry& printer) {
    cups_job_t* jobs = nullptr;
    const QByteArray name = printer.name.toUtf8();
    const int n =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, name.constData(), 0, CUPS_WHICHJOBS_ACTIVE);
    if (n > 0) cupsFreeJobs(n, jobs);
    return n > 0;
}

QStringList CupsPrinterBackend::deviceFonts(const PrinterEntry&) {
    return {};  // CUPS queues render every font on the host
}

QueuePapers CupsPrinterBackend::papers(const PrinterEntry& printer) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer.name);
    if (info.isNull()) return {};
    QueuePapers papers;
    papers.sizes = info.supportedPageSizes();
    papers.defaultSize = info.defaultPageSize();
    papers.customSizes = info.supportsCustomPageSizes();
    papers.customMinimum = info.minimumPhysicalPageSize().size(QPageSize::Millimeter);
    papers.customMaximum = info.maximumPhysicalPageSize().size(QPageSize::Millimeter);
    return papers;
}

std::unique_ptr<PrintJob> CupsPrinterBackend::beginJob(const PrinterEntry& printer,
                                                       const DeviceSettings& settings,
                                                       const QString& title, QString* error) {
    auto job = std::make_unique<QtPrintJob>();
    if (!job->start(printer, settings, title, error)) return nullptr;
    return job;
}

}  // namespace dorvana

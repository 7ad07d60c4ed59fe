#include "support/fixture_printer_backend.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

#include "base/ini_file.h"
#include "report/render/printer/qprinter_settings.h"

namespace dorvana {
namespace {

class FixtureJob : public PrintJob {
public:
    FixtureJob(std::shared_ptr<QList<RecordedJob>> log, qsizetype index, const DeviceCaps& caps)
        : log_(std::move(log)), index_(index), writer_(&buffer_) {
        buffer_.open(QIODevice::WriteOnly);
        const double w = caps.physicalWidth * 72.0 / caps.resolutionX;
        const double h = caps.physicalHeight * 72.0 / caps.resolutionY;
        writer_.setResolution(caps.resolutionX);
        writer_.setPageLayout(QPageLayout(
            QPageSize(QSizeF(w, h), QPageSize::Point), QPageLayout::Portrait,
            QMarginsF(caps.offsetX * 72.0 / caps.resolutionX,
                      caps.offsetY * 72.0 / caps.resolutionY,
                      std::max(0, caps.physicalWidth - caps.printableWidth - caps.offsetX) * 72.0 /
                          caps.resolutionX,
                      std::max(0, caps.physicalHeight - caps.printableHeight - caps.offsetY) *
                          72.0 / caps.resolutionY),
            QPageLayout::Point, QMarginsF()));
    }
    bool start() {
        if (!painter_.begin(&writer_)) return false;
        record().pages = 1;
        return true;
    }
    QPainter* canvas() override { return &painter_; }
    bool newPage(QString* error) override {
        if (!writer_.newPage()) {
            *error = QStringLiteral("Printer is not currently printing");
            return false;
        }
        ++record().pages;
        return true;
    }
    bool end(QString*) override {
        painter_.end();
        record().pdf = buffer_.data();
        record().finished = true;
        return true;
    }
    void abort() override {
        if (painter_.isActive()) painter_.end();
        record().aborted = true;
    }

private:
    RecordedJob& record() { return (*log_)[index_]; }

    std::shared_ptr<QList<RecordedJob>> log_;
    qsizetype index_;
    QBuffer buffer_;
    QPdfWriter writer_;
    QPainter painter_;
};

// "600" or "600,300"; false when a part is not a number.
bool readPair(const QString& text, int* a, int* b, bool single) {
    const QStringList parts = text.split(u',');
    if (parts.size() > 2 || (parts.size() == 1 && !single)) return false;
    bool ok1 = false, ok2 = true;
    *a = parts[0].trimmed().toInt(&ok1);
    *b = parts.size() == 2 ? parts[1].trimmed().toInt(&ok2) : *a;
    return ok1 && ok2;
}

bool readFlag(const QString& text) {
    return text.trimmed() == u"1";
}

}  // namespace

FixturePrinterBackend::FixturePrinterBackend(QList<FixturePrinter> printers)
    : printers_(std::move(printers)) {}

std::unique_ptr<FixturePrinterBackend> FixturePrinterBackend::fromFile(const QString& path,
                                                                       QString* error) {
    IniFile ini;
    if (!ini.load(path, error)) return nullptr;
    QList<FixturePrinter> list;
    for (const QString& section : ini.sections()) {
        FixturePrinter p;
        p.entry.name = section;
        bool printableGiven = false;
        for (const auto& [key, value] : ini.entries(section)) {
            const QString k = key.toLower();
            bool ok = true;
            int a = 0, b = 0;
            if (k == u"driver") {
                p.entry.driverName = value;
            } else if (k == u"port") {
                p.entry.port = value;
            } else if (k == u"default") {
                p.isDefault = readFlag(value);
            } else if (k == u"busy") {
                p.busy = readFlag(value);
            } else if (k == u"invalid") {
                p.invalid = readFlag(value);
            } else if (k == u"fonts") {
                p.fonts = value.split(u';', Qt::SkipEmptyParts);
            } else if (k == u"resolution") {
                ok = readPair(value, &p.resolutionX, &p.resolutionY, true) && p.resolutionX > 0 &&
                     p.resolutionY > 0;
            } else if (k == u"paper") {
                ok = readPair(value, &p.paperWidth, &p.paperHeight, false);
            } else if (k == u"offset") {
                ok = readPair(value, &p.offsetX, &p.offsetY, false);
            } else if (k == u"printable") {
                ok = readPair(value, &p.printableWidth, &p.printableHeight, false);
                printableGiven = true;
            } else if (k == u"papersize") {
                ok = readPair(value, &p.paperSize, &a, true);
            } else if (k == u"privatebytes") {
                ok = readPair(value, &p.privateSize, &b, true) && p.privateSize >= 0;
            }
            if (!ok) {
                if (error)
                    *error = QStringLiteral("Chybná hodnota %1=%2 tiskárny %3 v souboru %4")
                                 .arg(key, value, section, path);
                return nullptr;
            }
        }
        if (!printableGiven) {
            p.printableWidth = std::max(0, p.paperWidth - 2 * p.offsetX);
            p.printableHeight = std::max(0, p.paperHeight - 2 * p.offsetY);
        }
        list.append(p);
    }
    return std::make_unique<FixturePrinterBackend>(list);
}

const FixturePrinter* FixturePrinterBackend::find(const QString& name) const {
    for (const FixturePrinter& p : printers_)
        if (p.entry.name.compare(name, Qt::CaseInsensitive) == 0) return &p;
    return nullptr;
}

void FixturePrinterBackend::setBusy(const QString& name, bool busy) {
    for (FixturePrinter& p : printers_)
        if (p.entry.name.compare(name, Qt::CaseInsensitive) == 0) p.busy = busy;
}

QList<PrinterEntry> FixturePrinterBackend::printers() {
    QList<PrinterEntry> out;
    for (const FixturePrinter& p : printers_) out.append(p.entry);
    return out;
}

QString FixturePrinterBackend::defaultPrinterName() {
    for (const FixturePrinter& p : printers_)
        if (p.isDefault) return p.entry.name;
    return {};
}

std::optional<DeviceSettings> FixturePrinterBackend::defaultSettings(const PrinterEntry& printer) {
    const FixturePrinter* p = find(printer.name);
    if (!p || p->invalid) return std::nullopt;
    DeviceSettings s;
    s.deviceName = p->entry.name;
    s.paperSize = p->paperSize;
    s.privateBytes = QByteArray(p->privateSize, '\0');
    return s;
}

DeviceCaps FixturePrinterBackend::deviceCaps(const PrinterEntry& printer,
                                             const DeviceSettings& settings) {
    const FixturePrinter* p = find(printer.name);
    if (!p || p->invalid) return {};
    DeviceCaps c;
    c.resolutionX = p->resolutionX;
    c.resolutionY = p->resolutionY;
    c.physicalWidth = p->paperWidth;
    c.physicalHeight = p->paperHeight;
    if (settings.paperSize != p->paperSize || settings.paperLength > 0 || settings.paperWidth > 0) {
        // Another sheet: its size from the record, the unprintable borders kept.
        const QPageSize current(
            QSizeF(p->paperWidth * 25.4 / p->resolutionX, p->paperHeight * 25.4 / p->resolutionY),
            QPageSize::Millimeter);
        const QSizeF mm = pageSizeForSettings(settings, current).size(QPageSize::Millimeter);
        c.physicalWidth = int(std::lround(mm.width() * p->resolutionX / 25.4));
        c.physicalHeight = int(std::lround(mm.height() * p->resolutionY / 25.4));
    }
    c.offsetX = p->offsetX;
    c.offsetY = p->offsetY;
    c.printableWidth = std::max(0, c.physicalWidth - (p->paperWidth - p->printableWidth));
    c.printableHeight = std::max(0, c.physicalHeight - (p->paperHeight - p->printableHeight));
    if (settings.orientation == DeviceSettings::kLandscape) {
        std::swap(c.resolutionX, c.resolutionY);
        std::swap(c.physicalWidth, c.physicalHeight);
        std::swap(c.offsetX, c.offsetY);
        std::swap(c.printableWidth, c.printableHeight);
    }
    return c;
}

bool FixturePrinterBackend::isBusy(const PrinterEntry& printer) {
    const FixturePrinter* p = find(printer.name);
    return p && p->busy;
}

QStringList FixturePrinterBackend::deviceFonts(const PrinterEntry& printer) {
    const FixturePrinter* p = find(printer.name);
    return p ? p->fonts : QStringList();
}

std::unique_ptr<PrintJob> FixturePrinterBackend::beginJob(const PrinterEntry& printer,
                                                          const DeviceSettings& settings,
                                                          const QString& title, QString* error) {
    const DeviceCaps caps = deviceCaps(printer, settings);
    if (!caps.valid()) {
        *error = QStringLiteral("Printer selected is not valid");
        return nullptr;
    }
    RecordedJob record;
    record.printer = printer.name;
    record.title = title;
    record.settings = settings;
    record.caps = caps;
    jobs_->append(record);
    auto job = std::make_unique<FixtureJob>(jobs_, jobs_->size() - 1, caps);
    if (!job->start()) {
        jobs_->removeLast();
        *error = QStringLiteral("Printer selected is not valid");
        return nullptr;
    }
    return job;
}

}  // namespace dorvana

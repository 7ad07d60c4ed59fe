#pragma once
// The printer object: one for the whole program, over a print-system backend.
// It keeps the list of installed printers, the current printer and its device
// settings, and the open print job. Failures return false (or -1) and leave
// the message in lastError().

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "report/render/printer/printer_backend.h"

namespace dorvana {

class Printer {
public:
    // Shows the driver's own properties dialog on a record; true with the
    // record changed when the user confirms. Windows install one; without one
    // a prompt counts as cancelled.
    using PropertiesPrompt = std::function<bool(const PrinterEntry&, DeviceSettings&)>;

    // The system profile (see system_profile.h) may name the default printer.
    explicit Printer(std::unique_ptr<PrinterBackend> backend,
                     const QString& systemProfilePath = QString());
    ~Printer();

    // Replaces the backend; the printer list is built again on next use.
    // Refused while a job is open.
    bool setBackend(std::unique_ptr<PrinterBackend> backend);

    // The printer list, built once, with its display texts (the printer
    // name; "%s on %s" for printers that were set by name and port).
    const QList<PrinterEntry>& entries();
    QStringList printers();
    int count() { return int(entries().size()); }

    // The current index; -1 (the default printer) is resolved on first use.
    // With printers but no default named by the system, the first printer
    // is taken. -1 when there are no printers.
    int printerIndex();
    // Makes a printer current; -1 the system's default. Selecting another
    // printer loads its default settings; selecting the current one keeps them.
    bool setPrinterIndex(int index);
    // The index of the system's default printer (the one the print system
    // names, else the one device= of [windows] in the system profile names),
    // or -1 with "There is no default printer currently selected".
    int defaultPrinterIndex();
    // The system profile consulted for the default printer; empty: none.
    void setSystemProfilePath(const QString& path) { profilePath_ = path; }

    // Device, driver, port and settings of the current printer.
    bool getPrinter(QString* device, QString* driver, QString* port,
                    std::optional<DeviceSettings>* settings);
    // Makes a printer current with the given settings (none: the driver's
    // defaults); a printer not in the list is appended as "device on port".
    bool setPrinter(const QString& device, const QString& driver, const QString& port,
                    const std::optional<DeviceSettings>& settings);
    // As setPrinter, then the driver's properties dialog on the record; true
    // when confirmed (the confirmed record is then current).
    bool setPrinterWithPrompt(const QString& device, const QString& driver, const QString& port,
                              const std::optional<DeviceSettings>& settings);
    void setPropertiesPrompt(PropertiesPrompt prompt) { prompt_ = std::move(prompt); }

    // The current printer's settings record; none when it could not be opened.
    const std::optional<DeviceSettings>& settings();
    // Hands a record to the current printer.
    bool setSettings(const DeviceSettings& settings);
    // Drops changes: the current printer's settings become the driver's defaults.
    bool resetSettings();
    // DeviceSettings::kPortrait or kLandscape; fails with "Operation not
    // supported on selected printer" when there is no settings record.
    bool setOrientation(int orientation);

    // The current printer's device metrics with its current settings (all 0
    // without a printer).
    DeviceCaps deviceCaps();
    int pageWidth() { return deviceCaps().printableWidth; }
    int pageHeight() { return deviceCaps().printableHeight; }
    bool isBusy();
    QStringList deviceFonts();
    // The papers the driver of printer index offers (nothing known for an
    // index outside the list).
    QueuePapers papers(int index);

    // Job control. The page number counts from 1 in an open job.
    QString title;
    bool beginDoc();
    bool newPage();
    bool endDoc();
    bool abort();
    bool printing() const { return job_ != nullptr; }
    bool aborted() const { return aborted_; }
    int pageNumber() const { return pageNumber_; }
    // The drawing surface of the current page; null outside a job.
    QPainter* canvas();

    const QString& lastError() const { return error_; }

private:
    bool fail(const QString& message);
    bool ensureCurrent();
    void loadDefaults();

    std::unique_ptr<PrinterBackend> backend_;
    std::optional<QList<PrinterEntry>> entries_;
    QStringList displayTexts_;
    int index_ = -1;
    std::optional<DeviceSettings> settings_;
    std::unique_ptr<PrintJob> job_;
    bool aborted_ = false;
    int pageNumber_ = 0;
    PropertiesPrompt prompt_;
    QString profilePath_;
    QString error_;
};

// The program's printer, created on first use over CUPS.
Printer& programPrinter();
// Puts another backend under the program's printer (tests, headless runs).
void installPrinterBackend(std::unique_ptr<PrinterBackend> backend);

}  // namespace dorvana

#pragma once
// The print system as the printer layer sees it: the installed printers, each
// one's default settings and device metrics, and print jobs. The program
// prints through CUPS (CupsPrinterBackend); the tests list printers from a
// fixture of their own.

#include <QList>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "report/render/printer/device_settings.h"

class QPainter;

namespace dorvana {

struct PrinterEntry {
    QString name;        // the device (queue) name
    QString driverName;  // the driver: the queue's make and model
    QString port;        // where the device is: the queue's device URI

    bool operator==(const PrinterEntry&) const = default;
};

// What a device reports with given settings, in device pixels.
struct DeviceCaps {
    int resolutionX = 0;  // dots per inch
    int resolutionY = 0;
    int physicalWidth = 0;  // the whole sheet as oriented by the settings
    int physicalHeight = 0;
    int offsetX = 0;  // unprintable left and top border
    int offsetY = 0;
    int printableWidth = 0;  // the printable area
    int printableHeight = 0;

    bool valid() const { return resolutionX > 0 && resolutionY > 0; }
    bool operator==(const DeviceCaps&) const = default;
};

// The papers a printer's driver offers.
struct QueuePapers {
    QList<QPageSize> sizes;     // the named page sizes of the queue
    QPageSize defaultSize;      // the queue's default page size
    bool customSizes = false;   // whether the driver takes a sheet of any size
    QSizeF customMinimum;       // the least and largest custom sheet (mm)
    QSizeF customMaximum;

    // Whether anything is known about the queue's papers.
    bool known() const { return !sizes.isEmpty() || customSizes; }
};

// One open print job. The canvas draws in device pixels; fonts given in
// points come out at the device's resolution.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    virtual QPainter* canvas() = 0;
    virtual bool newPage(QString* error) = 0;
    virtual bool end(QString* error) = 0;
    virtual void abort() = 0;
};

class PrinterBackend {
public:
    virtual ~PrinterBackend() = default;
    virtual QList<PrinterEntry> printers() = 0;
    // The name of the system's default printer; empty when there is none.
    virtual QString defaultPrinterName() = 0;
    // The driver's default settings of a printer; none when the device
    // cannot be opened.
    virtual std::optional<DeviceSettings> defaultSettings(const PrinterEntry& printer) = 0;
    virtual DeviceCaps deviceCaps(const PrinterEntry& printer, const DeviceSettings& settings) = 0;
    // Whether the printer still works on an earlier job.
    virtual bool isBusy(const PrinterEntry& printer) = 0;
    // Names of the fonts built into the device.
    virtual QStringList deviceFonts(const PrinterEntry& printer) = 0;
    // The papers the printer's driver offers; nothing known by default.
    virtual QueuePapers papers(const PrinterEntry&) { return {}; }
    virtual std::unique_ptr<PrintJob> beginJob(const PrinterEntry& printer,
                                               const DeviceSettings& settings, const QString& title,
                                               QString* error) = 0;
};

}  // namespace dorvana

#pragma once
// A print system described by a fixture instead of CUPS, for the tests:
// printers with their driver, port, resolution, sheet and printable area; jobs
// are recorded (their pages drawn into a PDF in memory).
//
// Fixture file: an ini file, one section per printer, in list order:
//   [Kancelář]
//   Driver=HP LaserJet 4          driver name
//   Port=socket://10.0.0.5        port
//   Default=1                     the system's default printer
//   Resolution=600                dots per inch, or "x,y"
//   Paper=4960,7016               the upright sheet in device pixels
//   Offset=100,100                unprintable left and top border in pixels
//   Printable=4760,6816           printable area (default: sheet - 2 x offset)
//   PaperSize=9                   paper size code of the sheet
//   PrivateBytes=84               size of the driver-private area
//   Busy=1   Invalid=1            busy with a job / cannot be opened
//   Fonts=Font 1;Font 2           device fonts

#include <QByteArray>
#include <QList>
#include <memory>

#include "report/render/printer/printer_backend.h"

namespace dorvana {

struct FixturePrinter {
    PrinterEntry entry;
    bool isDefault = false;
    int resolutionX = 600;
    int resolutionY = 600;
    int paperWidth = 4960;  // the upright sheet in device pixels
    int paperHeight = 7016;
    int offsetX = 100;
    int offsetY = 100;
    int printableWidth = 4760;
    int printableHeight = 6816;
    int paperSize = 9;
    int privateSize = 0;
    bool busy = false;
    bool invalid = false;
    QStringList fonts;
};

struct RecordedJob {
    QString printer;
    QString title;
    DeviceSettings settings;
    DeviceCaps caps;
    int pages = 0;
    bool finished = false;
    bool aborted = false;
    QByteArray pdf;  // the pages drawn, once the job has ended
};

class FixturePrinterBackend : public PrinterBackend {
public:
    explicit FixturePrinterBackend(QList<FixturePrinter> printers);
    // Reads a fixture file; null with a Czech message when it cannot be read
    // or holds a value that is not a number.
    static std::unique_ptr<FixturePrinterBackend> fromFile(const QString& path,
                                                           QString* error = nullptr);

    // The jobs begun so far; shared, so that it outlives the backend.
    std::shared_ptr<QList<RecordedJob>> jobs() const { return jobs_; }
    void setBusy(const QString& name, bool busy);

    QList<PrinterEntry> printers() override;
    QString defaultPrinterName() override;
    std::optional<DeviceSettings> defaultSettings(const PrinterEntry& printer) override;
    DeviceCaps deviceCaps(const PrinterEntry& printer, const DeviceSettings& settings) override;
    bool isBusy(const PrinterEntry& printer) override;
    QStringList deviceFonts(const PrinterEntry& printer) override;
    std::unique_ptr<PrintJob> beginJob(const PrinterEntry& printer, const DeviceSettings& settings,
                                       const QString& title, QString* error) override;

private:
    const FixturePrinter* find(const QString& name) const;

    QList<FixturePrinter> printers_;
    std::shared_ptr<QList<RecordedJob>> jobs_ = std::make_shared<QList<RecordedJob>>();
};

}  // namespace dorvana

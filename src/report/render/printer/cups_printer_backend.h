#pragma once
// The printers of the local CUPS server: queues listed with their make and
// model as driver name and their device URI as port; jobs printed through
// Qt's print support. Nothing is asked of CUPS before the first call.

#include <QHash>

#include "report/render/printer/printer_backend.h"

namespace dorvana {

class CupsPrinterBackend : public PrinterBackend {
public:
    QList<PrinterEntry> printers() override;
    QString defaultPrinterName() override;
    std::optional<DeviceSettings> defaultSettings(const PrinterEntry& printer) override;
    DeviceCaps deviceCaps(const PrinterEntry& printer, const DeviceSettings& settings) override;
    bool isBusy(const PrinterEntry& printer) override;
    QStringList deviceFonts(const PrinterEntry& printer) override;
    QueuePapers papers(const PrinterEntry& printer) override;
    std::unique_ptr<PrintJob> beginJob(const PrinterEntry& printer, const DeviceSettings& settings,
                                       const QString& title, QString* error) override;
};

// Bytes of driver settings a queue keeps for the system: room for the cab and
// Tharo layouts on label printer queues, none on others.
int privateAreaSize(const QString& driverName);

}  // namespace dorvana

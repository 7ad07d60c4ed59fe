#include "report/windows/printer_setup_dialog.h"

#include <QPageSetupDialog>
#include <QPrinter>

#include "report/render/printer/qprinter_settings.h"

namespace dorvana {

bool editDeviceSettings(const PrinterEntry& printer, DeviceSettings& record, QWidget* parent) {
    QPrinter device(QPrinter::HighResolution);
    device.setPrinterName(printer.name);
    applyDeviceSettings(device, record);
    QPageSetupDialog dialog(&device, parent);
    dialog.setWindowTitle(QStringLiteral("Nastavení ") + printer.name);
    if (dialog.exec() != QDialog::Accepted) return false;
    DeviceSettings chosen = deviceSettingsOf(device);
    chosen.deviceName = record.deviceName;
    chosen.copies = record.copies;
    chosen.privateBytes = record.privateBytes;
    record = chosen;
    return true;
}

}  // namespace dorvana

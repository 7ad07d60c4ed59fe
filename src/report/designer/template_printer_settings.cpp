#include "report/designer/template_printer_settings.h"

#include "base/messages.h"
#include "report/model/report_model.h"
#include "report/render/printer/printer.h"
#include "report/render/printer/settings_text.h"
#include "report/windows/cab_settings_dialog.h"
#include "report/windows/printer_setup_dialog.h"

namespace dorvana {

namespace {

int installedIndex(Printer& printer, const QString& fullName) {
    return int(printer.printers().indexOf(fullName));
}

// The driver's settings of an installed printer: the current ones for the
// current printer, the driver's defaults for another (which is made current
// only while they are read).
std::optional<DeviceSettings> driverSettings(Printer& printer, int index) {
    const int current = printer.printerIndex();
    if (index == current) return printer.settings();
    const PrinterEntry entry = printer.entries()[index];
    std::optional<DeviceSettings> record;
    if (printer.setPrinter(entry.name, entry.driverName, entry.port, std::nullopt))
        record = printer.settings();
    if (current >= 0) printer.setPrinterIndex(current);
    if (record) record->deviceName = entry.name;
    return record;
}

}  // namespace

QStringList currentPrinterSettingsText(Printer& printer, const QString& fullName) {
    const int index = installedIndex(printer, fullName);
    if (index < 0) return {};
    const std::optional<DeviceSettings> record = driverSettings(printer, index);
    return record ? WriteSettingsText(*record) : QStringList();
}

bool editTemplatePrinterSettings(Printer& printer, TPolTisk& templatePrinter, Messages& messages,
                                 QWidget* parent) {
    const int index = installedIndex(printer, templatePrinter.fullName.isEmpty()
                                                  ? templatePrinter.name
                                                  : templatePrinter.fullName);
    if (index < 0) {
        messages.error(QStringLiteral("Tiskárna %1 není v systému nainstalována.")
                           .arg(templatePrinter.name));
        return false;
    }
    const PrinterEntry entry = printer.entries()[index];
    std::optional<DeviceSettings> record = driverSettings(printer, index);
    if (!record) {
        messages.error(printer.lastError());
        return false;
    }
    if (!templatePrinter.settings.isEmpty()) ApplySettingsText(templatePrinter.settings, *record);
    TCabSetForm form(parent);
    form.platformDialog = [&entry, parent](DeviceSettings& r) {
        return editDeviceSettings(entry, r, parent);
    };
    int result = form.Setup(*record, entry.driverName);
    if (result == 0) result = form.exec() == QDialog::Accepted ? 1 : -1;
    if (result != 1) return false;
    templatePrinter.settings = WriteSettingsText(*record);
    return true;
}

}  // namespace dorvana

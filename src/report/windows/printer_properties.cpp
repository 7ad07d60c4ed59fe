#include "report/windows/printer_properties.h"

#include "base/messages.h"
#include "report/render/printer/printer.h"
#include "report/run/print_session.h"
#include "report/windows/cab_settings_dialog.h"
#include "report/windows/printer_setup_dialog.h"

namespace dorvana {

bool editPrinterProperties(PrintSession& session, int printerIndex, Messages& messages,
                           QWidget* parent) {
    QString error;
    std::optional<DeviceSettings> record = session.settingsToEdit(printerIndex, &error);
    if (!record) {
        if (!error.isEmpty()) messages.error(error);
        return false;
    }
    const PrinterEntry entry = session.printer().entries()[printerIndex];
    TCabSetForm form(parent);
    form.platformDialog = [parent, &entry](DeviceSettings& r) {
        return editDeviceSettings(entry, r, parent);
    };
    int result = form.Setup(*record, entry.driverName);
    if (result == 0) result = form.exec() == QDialog::Accepted ? 1 : -1;
    if (result != 1) return false;
    session.confirmSettings(printerIndex, *record);
    return true;
}

}  // namespace dorvana

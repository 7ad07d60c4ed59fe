#pragma once
// The printer's own settings dialog for printers without a label-printer
// layout: paper, orientation and margins of the print system's page setup
// dialog, read back into a device settings record.

#include "report/render/printer/device_settings.h"
#include "report/render/printer/printer_backend.h"

class QWidget;

namespace dorvana {

// True when the user confirmed; the record's standard fields then hold the
// choice (its driver-private bytes stay).
bool editDeviceSettings(const PrinterEntry& printer, DeviceSettings& record, QWidget* parent);

}  // namespace dorvana

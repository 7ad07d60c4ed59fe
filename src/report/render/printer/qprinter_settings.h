#pragma once
// DeviceSettings on a QPrinter: orientation, paper (Windows paper size code,
// a paper length overriding the sheet's length) and copies.

#include <QPageSize>

#include "report/render/printer/device_settings.h"

class QPrinter;

namespace dorvana {

// The Windows paper size code used for a size Qt knows no code for.
inline constexpr int kUserPaperSize = 256;

// The sheet a record asks for, given the sheet the device has now: a record
// with both paper width and length gives a sheet of exactly that size;
// otherwise the paper of its size code (an unknown code keeps the current
// sheet), with the paper length, when one is given and differs, as the
// sheet's length.
QPageSize pageSizeForSettings(const DeviceSettings& settings, const QPageSize& current);

// Applies a record to a printer.
void applyDeviceSettings(QPrinter& printer, const DeviceSettings& settings);

// The standard fields of a record as a printer has them now (no private bytes).
DeviceSettings deviceSettingsOf(const QPrinter& printer);

}  // namespace dorvana

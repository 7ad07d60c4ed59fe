#pragma once
// The settings text of a printer's device settings: the lines in which
// templates (I,8 lines) and the file "Def_Printer.drv" keep printer settings.
//
//   System = NT
//   Delka = <paper length>
//   Kopie = <copies>
//   Papir = <paper size code>
//   Orientace = Na vysku | Na sirku
//   Line1 = 0F 00 ... (16 driver-private bytes a line, each two hex digits and a blank)

#include <QString>
#include <QStringList>

#include "report/render/printer/device_settings.h"

namespace dorvana {

// The system family a text was written on. Linux counts as the NT family;
// "9x" texts come from old installations.
enum class SystemFamily { NT, Win9x };

inline constexpr char16_t kDefaultPrinterFileName[] = u"Def_Printer.drv";

// The settings text of a record.
QStringList WriteSettingsText(const DeviceSettings& record, SystemFamily system = SystemFamily::NT);

// Writes the settings of a text into a record. A text whose first line does
// not begin with "System" changes nothing and gives false. The standard
// fields are always taken (unreadable numbers give paper length 300, copies 1,
// paper size 1024); the driver-private bytes only when the text was written
// on the running system family, and never beyond the record's private size.
bool ApplySettingsText(const QStringList& lines, DeviceSettings& record,
                       SystemFamily running = SystemFamily::NT);

// "Def_Printer.drv" in the current directory.
QString defaultPrinterFilePath();

// Writes a record's settings text as a CR LF text file.
bool writeSettingsFile(const QString& path, const DeviceSettings& record, QString* error = nullptr);

// Applies the settings text of a file to a record; false when the file is
// missing or unreadable or holds no settings text (the record then stays).
bool applySettingsFile(const QString& path, DeviceSettings& record);

}  // namespace dorvana

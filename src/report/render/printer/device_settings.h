#pragma once
// DeviceSettings: the settings record of one printer, the part of a Windows
// DEVMODE the system works with. The printer layer maps it onto the print
// system's options; templates keep it as settings text; the driver-private
// bytes are kept per printer and handed back unchanged.

#include <QByteArray>
#include <QString>

namespace dorvana {

struct DeviceSettings {
    static constexpr int kPortrait = 1;
    static constexpr int kLandscape = 2;

    QString deviceName;
    int orientation = kPortrait;  // 1 portrait, 2 landscape
    int paperSize = 9;            // paper size code as on Windows (1 Letter, 9 A4, ...)
    int paperLength = 0;          // tenths of a millimetre; 0 = given by the paper size code
    // Tenths of a millimetre; 0 = given by the paper size code, or by the
    // sheet the device has now when the code names no paper. Settings texts
    // do not keep it: a print sets it from the template's paper.
    int paperWidth = 0;
    int copies = 1;
    // Settings of the printer's driver in its own layout (thermal label
    // printers keep label height, speed, sensor ... here). The size is fixed
    // by the driver; applying settings never grows it.
    QByteArray privateBytes;

    bool operator==(const DeviceSettings&) const = default;
};

}  // namespace dorvana

#pragma once
// Where cab Apollo and Tharo Gemini thermal label printers keep their label
// settings inside the driver-private bytes of a device settings record, and
// the lists the settings dialog offers per printer model.

#include <QString>
#include <QStringList>
#include <optional>

#include "report/render/printer/device_settings.h"

namespace dorvana {

enum class CabLayout { Cab, Tharo };

// The printer model of a driver name: 1, 2, 3, 4, 7, 8 (cab), 11, 12 (Tharo),
// 0 for any other driver.
int cabModelForDriver(const QString& driverName);
// Models above 9 use the Tharo layout.
inline CabLayout cabLayoutForModel(int model) {
    return model > 9 ? CabLayout::Tharo : CabLayout::Cab;
}

enum class CabSetting {
    Mirror,                // cab "Zrcadlový tisk"; Tharo "Rychlý tisk"
    Inverse,               // "Inverzní tisk"
    HeadTemperature,       // "Teplota hlavy" 1-20
    PresentationPosition,  // "Prezentační pozice" mm
    Mode,                  // "Dávkový režim" / "Rež. nabízení etiket"
    Speed,                 // "Rychl. tisku" item index
    PrintMethod,           // "Termo tisk" / "Termotransfer tisk"
    BarcodeText,           // "Tisk popisu čárového kódu"
    Code39StartStop,       // "Tisk start / stop znaků kód 39"
    ContinuousMaterial,    // "Souvislý materiál"
    Turn180,               // "Otočit o 180"
    PrintOffset,           // "Posuv tisku" mm
    LeftMargin,            // "Levý okraj" mm
    Cutter,                // "Režim řezačky"
    Sensor,                // "Výběr čidla"
    MemoryCard,            // "Uložit do paměťové karty"
    RibbonSaving,          // "Šetření barv.pásky"
};

enum class CabEncoding {
    Flag,           // 1 on, anything else off
    Value,          // the value itself
    ValueMinusOne,  // stored = value - 1
    IndexPlusOne,   // stored = item index + 1
    TenthsMm,       // stored = millimetres * 10
    EighthsMm,      // stored = millimetres * 8
};

// One setting's place among the driver-private bytes: offset from the first
// private byte, width in bytes (1 or 2, little-endian) and encoding.
struct CabField {
    int offset;
    int width;
    CabEncoding encoding;
};

// The place of a setting in a layout; none when the layout lacks it.
std::optional<CabField> cabField(CabLayout layout, CabSetting setting);

// Items of the print speed list and of the sensor group for a model.
QStringList cabSpeedItems(int model);
QStringList cabSensorItems(int model);

// The settings as the dialog shows them.
struct CabSettings {
    bool mirror = false;
    bool inverse = false;
    int headTemperature = 0;
    double presentationMm = 0;
    int mode = 0;
    int speed = 0;
    int printMethod = 0;
    bool barcodeText = false;
    bool code39StartStop = false;
    bool continuousMaterial = false;
    bool turn180 = false;
    double printOffsetMm = 0;
    double leftMarginMm = 0;
    int cutter = 0;
    int sensor = 0;
    bool memoryCard = false;
    bool ribbonSaving = false;
    // Kept in the standard part of the record.
    double labelHeightMm = 0;  // paper length / 10
    int copies = 1;
    int orientationIndex = 0;  // 0 "Na výšku", 1 "Na šířku"
};

// Reads the settings of a record in the layout of a model. Settings the
// layout lacks, or that lie beyond the record's private bytes, read as 0/off.
CabSettings readCabSettings(const DeviceSettings& record, int model);

// Writes settings into a record in the layout of a model, lengths rounded to
// the layout's step (0.1 mm cab, 0.125 mm Tharo). The Code 39 start/stop
// setting is written only while the barcode text is on; settings the layout
// lacks or that lie beyond the private bytes are not written.
void writeCabSettings(const CabSettings& settings, DeviceSettings& record, int model);

}  // namespace dorvana

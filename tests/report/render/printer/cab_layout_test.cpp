#include <gtest/gtest.h>

#include "report/render/printer/cab_layout.h"

using namespace dorvana;

namespace {

DeviceSettings cabRecord() {
    DeviceSettings r;
    r.deviceName = "cab A3";
    r.privateBytes = QByteArray(84, '\0');
    return r;
}

}  // namespace

TEST(CabLayout, ModelsOfDriverNames) {
    const QList<QPair<QString, int>> cases = {
        {"Apollo 1", 1},     {"Apollo 2", 2},        {"Apollo 3", 3},    {"A 3/200", 3},
        {"Apollo 3/300", 4}, {"A 3/300", 7},         {"A 8", 8},         {"Tharo Gemini", 11},
        {"GEMINI2", 11},     {"Tharo Gemini 2", 12}, {"HP LaserJet", 0}, {"", 0}};
    for (const auto& [driver, model] : cases)
        EXPECT_EQ(cabModelForDriver(driver), model) << driver.toStdString();
    EXPECT_EQ(cabLayoutForModel(8), CabLayout::Cab);
    EXPECT_EQ(cabLayoutForModel(11), CabLayout::Tharo);
    EXPECT_EQ(cabSpeedItems(7).size(), 5);
    EXPECT_EQ(cabSpeedItems(11), QStringList({" 50 mm /sec", " 70 mm /sec"}));
    EXPECT_EQ(cabSensorItems(2).size(), 3);
    EXPECT_EQ(cabSensorItems(12).size(), 2);
}

TEST(CabLayout, LengthsAreTenthsOnCabAndEighthsOnTharo) {
    DeviceSettings cab = cabRecord();
    cab.privateBytes[72] = 0x0F;
    EXPECT_DOUBLE_EQ(readCabSettings(cab, 3).printOffsetMm, 1.5);
    CabSettings s = readCabSettings(cab, 3);
    s.printOffsetMm = 2.36;
    s.labelHeightMm = 38.14;
    writeCabSettings(s, cab, 3);
    EXPECT_EQ(cab.privateBytes[72], 24);
    EXPECT_EQ(cab.privateBytes[73], 0);
    EXPECT_EQ(cab.paperLength, 381);

    DeviceSettings tharo = cabRecord();
    tharo.privateBytes[52] = 12;
    EXPECT_DOUBLE_EQ(readCabSettings(tharo, 11).printOffsetMm, 1.5);
    s = readCabSettings(tharo, 11);
    s.presentationMm = 30.0;  // 240 eighths
    writeCabSettings(s, tharo, 11);
    EXPECT_EQ(uchar(tharo.privateBytes[50]), 240);
}

TEST(CabLayout, EveryCabSettingLandsAtItsOffsetAndReadsBack) {
    CabSettings s;
    s.mirror = true;
    s.inverse = true;
    s.headTemperature = 300;  // 0x012C: checks the little-endian 16-bit field
    s.presentationMm = 1.2;
    s.mode = 1;
    s.speed = 3;
    s.printMethod = 1;
    s.barcodeText = true;
    s.code39StartStop = true;
    s.continuousMaterial = true;
    s.turn180 = true;
    s.printOffsetMm = 0.5;
    s.leftMarginMm = 2.0;
    s.cutter = 2;
    s.sensor = 1;
    s.memoryCard = true;
    s.ribbonSaving = true;
    s.labelHeightMm = 50;
    s.copies = 4;
    s.orientationIndex = 1;
    DeviceSettings r = cabRecord();
    writeCabSettings(s, r, 1);
    const QList<QPair<int, int>> bytes = {
        {38, 1}, {39, 1}, {40, 0x2C}, {41, 1}, {48, 12}, {50, 1}, {51, 3}, {62, 1}, {64, 1},
        {66, 1}, {68, 1}, {70, 1},    {72, 5}, {74, 20}, {76, 2}, {78, 1}, {80, 1}, {82, 1}};
    for (const auto& [offset, value] : bytes)
        EXPECT_EQ(uchar(r.privateBytes[offset]), value) << offset;
    EXPECT_EQ(r.paperLength, 500);
    EXPECT_EQ(r.copies, 4);
    EXPECT_EQ(r.orientation, DeviceSettings::kLandscape);

    const CabSettings back = readCabSettings(r, 1);
    EXPECT_TRUE(back.mirror && back.inverse && back.code39StartStop && back.ribbonSaving);
    EXPECT_EQ(back.headTemperature, 300);
    EXPECT_DOUBLE_EQ(back.presentationMm, 1.2);
    EXPECT_EQ(back.cutter, 2);
    EXPECT_EQ(back.orientationIndex, 1);
}

TEST(CabLayout, TharoConvertsTemperatureAndMethodAndLacksCabOnlySettings) {
    DeviceSettings r = cabRecord();
    CabSettings s;
    s.headTemperature = 10;
    s.printMethod = 0;
    s.inverse = true;
    s.cutter = 2;
    s.mirror = true;
    writeCabSettings(s, r, 12);
    EXPECT_EQ(r.privateBytes[46], 9);
    EXPECT_EQ(r.privateBytes[55], 1);
    EXPECT_EQ(r.privateBytes[48], 1);  // "Rychlý tisk"
    EXPECT_EQ(r.privateBytes[39], 0);  // no inverse print
    EXPECT_EQ(r.privateBytes[76], 0);  // no cutter
    const CabSettings back = readCabSettings(r, 12);
    EXPECT_EQ(back.headTemperature, 10);
    EXPECT_EQ(back.printMethod, 0);
    EXPECT_FALSE(back.inverse);
}

TEST(CabLayout, Code39IsKeptWhileBarcodeTextIsOffAndFlagsReadOnlyOne) {
    DeviceSettings r = cabRecord();
    r.privateBytes[66] = 1;
    r.privateBytes[68] = 2;  // anything but 1 is off
    CabSettings s = readCabSettings(r, 3);
    EXPECT_TRUE(s.code39StartStop);
    EXPECT_FALSE(s.continuousMaterial);
    s.barcodeText = false;
    s.code39StartStop = false;
    writeCabSettings(s, r, 3);
    EXPECT_EQ(r.privateBytes[66], 1);
    EXPECT_EQ(r.privateBytes[68], 0);
}

TEST(CabLayout, ShortPrivateAreaIsNeitherReadBeyondNorGrown) {
    DeviceSettings r;
    r.privateBytes = QByteArray(60, '\x01');
    CabSettings s = readCabSettings(r, 3);
    EXPECT_TRUE(s.mirror);
    EXPECT_EQ(s.sensor, 0);  // offset 78 lies beyond the 60 bytes
    s.sensor = 1;
    s.turn180 = true;
    writeCabSettings(s, r, 3);
    EXPECT_EQ(r.privateBytes.size(), 60);
}

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "report/render/printer/settings_text.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

DeviceSettings recordWithBytes(int count) {
    DeviceSettings r;
    r.deviceName = "Etikety";
    r.orientation = DeviceSettings::kPortrait;
    r.paperSize = 256;
    r.paperLength = 381;
    r.copies = 3;
    for (int i = 0; i < count; ++i) r.privateBytes.append(char(i * 13 + 250));
    return r;
}

DeviceSettings freshRecord(int privateSize) {
    DeviceSettings r;
    r.deviceName = "Etikety";
    r.privateBytes = QByteArray(privateSize, '\x55');
    return r;
}

}  // namespace

TEST(SettingsText, WritesStandardLinesThenSixteenBytesALine) {
    const QStringList lines = WriteSettingsText(recordWithBytes(20));
    EXPECT_EQ(lines, QStringList({"System = NT", "Delka = 381", "Kopie = 3", "Papir = 256",
                                  "Orientace = Na vysku",
                                  "Line1 = FA 07 14 21 2E 3B 48 55 62 6F 7C 89 96 A3 B0 BD ",
                                  "Line2 = CA D7 E4 F1 "}));

    DeviceSettings landscape = recordWithBytes(0);
    landscape.orientation = DeviceSettings::kLandscape;
    EXPECT_EQ(WriteSettingsText(landscape, SystemFamily::Win9x),
              QStringList({"System = 9x", "Delka = 381", "Kopie = 3", "Papir = 256",
                           "Orientace = Na sirku"}));
}

TEST(SettingsText, RoundTripsOnTheSameSystemFamily) {
    for (int count : {0, 1, 16, 17, 84}) {
        for (SystemFamily family : {SystemFamily::NT, SystemFamily::Win9x}) {
            const DeviceSettings original = recordWithBytes(count);
            DeviceSettings copy = freshRecord(count);
            ASSERT_TRUE(ApplySettingsText(WriteSettingsText(original, family), copy, family));
            EXPECT_EQ(copy, original) << count;
        }
    }
}

TEST(SettingsText, AppliesStandardFieldsLenientlyAndBytesOnlyFromTheRunningFamily) {
    struct Case {
        const char* what;
        QStringList lines;
        int paperLength, copies, paperSize, orientation;
        QByteArray bytes;
    };
    const QByteArray kept(4, '\x55');
    const QList<Case> cases = {
        {"9x text keeps the private bytes",
         {"System = 9x", "Delka = 500", "Kopie = 2", "Papir = 9", "Orientace = Na vysku",
          "Line1 = 01 02 03 04 "},
         500,
         2,
         9,
         1,
         kept},
        {"unreadable numbers take the defaults",
         {"System = NT", "Delka = abc", "Kopie = ", "Papir = x9", "Orientace = Na sirku"},
         300,
         1,
         1024,
         2,
         kept},
        {"missing lines count as unreadable", {"System = NT"}, 300, 1, 1024, 2, kept},
        {"bad hex gives 0, lower case and a missing last blank are read, excess is dropped",
         {"System = NT", "Delka =  120 ", "Kopie = 7", "Papir = 1", "Orientace = Na vysku",
          "Line1 = 0f ZZ", "bez rovnítka", "Line2 = A1 B2 C3"},
         120,
         7,
         1,
         1,
         QByteArray("\x0F\x00\xA1\xB2", 4)},
    };
    for (const Case& c : cases) {
        DeviceSettings r = freshRecord(4);
        EXPECT_TRUE(ApplySettingsText(c.lines, r)) << c.what;
        EXPECT_EQ(r.paperLength, c.paperLength) << c.what;
        EXPECT_EQ(r.copies, c.copies) << c.what;
        EXPECT_EQ(r.paperSize, c.paperSize) << c.what;
        EXPECT_EQ(r.orientation, c.orientation) << c.what;
        EXPECT_EQ(r.privateBytes, c.bytes) << c.what;
    }
}

TEST(SettingsText, ListsWithoutASystemLineChangeNothing) {
    for (const QStringList& lines : {QStringList(), QStringList({"Bcodeintrp=1", "Delka = 500"}),
                                     QStringList({" System = NT"})}) {
        DeviceSettings r = recordWithBytes(4);
        EXPECT_FALSE(ApplySettingsText(lines, r));
        EXPECT_EQ(r, recordWithBytes(4));
    }
}

TEST(SettingsText, DefaultPrinterFileHoldsTheTextAsCrLfLines) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Def_Printer.drv");
    DeviceSettings r = freshRecord(0);
    EXPECT_FALSE(applySettingsFile(path, r));
    EXPECT_EQ(r, freshRecord(0));

    ASSERT_TRUE(writeSettingsFile(path, recordWithBytes(2)));
    EXPECT_EQ(test::fileBytes(path),
              QByteArray("System = NT\r\nDelka = 381\r\nKopie = 3\r\nPapir = 256\r\n"
                         "Orientace = Na vysku\r\nLine1 = FA 07 \r\n"));
    DeviceSettings back = freshRecord(2);
    ASSERT_TRUE(applySettingsFile(path, back));
    EXPECT_EQ(back, recordWithBytes(2));
    EXPECT_TRUE(defaultPrinterFilePath().endsWith("/Def_Printer.drv"));
}

#include <gtest/gtest.h>

#include <QPrinter>

#include "report/render/printer/qprinter_settings.h"

using namespace dorvana;

TEST(QPrinterSettings, PaperOfACodeWithALengthOverridingTheSheet) {
    const QPageSize current(QSizeF(100, 150), QPageSize::Millimeter);
    struct Case {
        int code, length;
        QSizeF mm;
    };
    for (const Case& c :
         {Case{9, 0, {210, 297}}, Case{11, 0, {148, 210}}, Case{9, 2970, {210, 297}},
          Case{1024, 381, {100, 38.1}}, Case{256, 0, {100, 150}}, Case{1, 1000, {215.9, 100}}}) {
        DeviceSettings s;
        s.paperSize = c.code;
        s.paperLength = c.length;
        const QSizeF mm = pageSizeForSettings(s, current).size(QPageSize::Millimeter);
        EXPECT_NEAR(mm.width(), c.mm.width(), 0.1) << c.code << " " << c.length;
        EXPECT_NEAR(mm.height(), c.mm.height(), 0.1) << c.code << " " << c.length;
    }
}

TEST(QPrinterSettings, RecordAppliedToAPrinterReadsBack) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    DeviceSettings s;
    s.deviceName = printer.printerName();
    s.orientation = DeviceSettings::kLandscape;
    s.paperSize = 11;  // A5
    s.copies = 3;
    applyDeviceSettings(printer, s);
    EXPECT_EQ(deviceSettingsOf(printer), s);

    s.paperSize = kUserPaperSize;
    s.paperLength = 381;
    s.copies = 0;  // prints once, never not at all
    applyDeviceSettings(printer, s);
    const DeviceSettings back = deviceSettingsOf(printer);
    EXPECT_EQ(back.paperSize, kUserPaperSize);
    EXPECT_EQ(back.paperLength, 381);
    EXPECT_EQ(back.copies, 1);
}

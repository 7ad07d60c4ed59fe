#include <gtest/gtest.h>

#include "support/fixture_printer_backend.h"
#include "report/render/printer/printer_kind.h"
#include "report/render/printer/printer_metrics.h"

using namespace dorvana;

namespace {

// One 600 dpi office printer with a sheet of 4960 x 7016 pixels.
FixturePrinter officePrinter(int offsetX = 100, int offsetY = 100) {
    FixturePrinter p;
    p.entry = {"Kancelář", "HP LaserJet 4", "socket://10.0.0.5"};
    p.isDefault = true;
    p.offsetX = offsetX;
    p.offsetY = offsetY;
    p.printableWidth = 4960 - 2 * offsetX;
    p.printableHeight = 7016 - 2 * offsetY;
    return p;
}

std::unique_ptr<Printer> printerWith(QList<FixturePrinter> list) {
    return std::make_unique<Printer>(std::make_unique<FixturePrinterBackend>(list));
}

}  // namespace

TEST(PrinterMetrics, WithoutAPrinterTheDefaultsHoldAndEveryCheckPasses) {
    auto printer = printerWith({});
    PageGeometry geometry;
    geometry.paperWidth = 5000;  // larger than any sheet
    geometry.leftMargin = 0;
    ReportPrinter rp(*printer, geometry);
    rp.SelectReportPrinter(-1);
    const PrinterMetrics m = rp.metrics();
    EXPECT_FALSE(m.present);
    EXPECT_EQ(m.resolutionX, 100);
    EXPECT_EQ(m.resolutionY, 100);
    EXPECT_EQ(m.offsetX, 50);
    EXPECT_EQ(m.offsetY, 72);
    EXPECT_EQ(m.physicalWidth, 5000);
    EXPECT_EQ(m.physicalHeight, 1169);
    EXPECT_EQ(m.scaleX, 1.0f);
    EXPECT_TRUE(rp.PaperFits());
    EXPECT_TRUE(rp.MarginsFit());
    rp.FitToPaper();
    rp.RaiseMargins();
    EXPECT_EQ(rp.metrics().scaleY, 1.0f);
    EXPECT_EQ(geometry.leftMargin, 0);
    EXPECT_EQ(rp.pageToPrintableX(100), 50);
    EXPECT_EQ(rp.pageToPrintableY(100), 28);
}

TEST(PrinterMetrics, PaperTooLargeIsFittedByTheSmallerRatio) {
    auto printer = printerWith({officePrinter()});
    PageGeometry geometry;
    ReportPrinter rp(*printer, geometry);
    rp.SelectReportPrinter(-1);
    EXPECT_TRUE(rp.metrics().present);
    EXPECT_EQ(rp.metrics().scaleX, 6.0f);
    EXPECT_EQ(rp.metrics().scaleY, 6.0f);
    EXPECT_TRUE(rp.PaperFits());  // A4 on A4: 834 x 1181 >= 826 x 1169

    geometry.paperWidth = 1169;
    geometry.paperHeight = 1654;
    EXPECT_FALSE(rp.PaperFits());
    rp.FitToPaper();
    const float expected = float(6.0 * std::min(834.0 / 1169, 1181.0 / 1654));
    EXPECT_FLOAT_EQ(rp.metrics().scaleX, expected);
    EXPECT_FLOAT_EQ(rp.metrics().scaleY, expected);

    geometry.paperWidth = 826;
    geometry.paperHeight = 1190;  // only the height is too long
    EXPECT_FALSE(rp.PaperFits());
    rp.SelectReportPrinter(-1);  // selecting again resets the scales
    EXPECT_EQ(rp.metrics().scaleX, 6.0f);
}

TEST(PrinterMetrics, MarginsBelowThePrintersMinimumAreRaised) {
    auto printer = printerWith({officePrinter(100, 150)});
    PageGeometry geometry;
    geometry.leftMargin = 10;
    geometry.topMargin = 30;
    geometry.rightMargin = 16;
    geometry.bottomMargin = 40;
    ReportPrinter rp(*printer, geometry);
    rp.SelectReportPrinter(0);
    EXPECT_EQ(rp.minimumMargins(), (MinimumMargins{16, 25, 16, 25}));
    EXPECT_FALSE(rp.MarginsFit());
    rp.RaiseMargins();
    EXPECT_EQ(geometry.leftMargin, 16);
    EXPECT_EQ(geometry.topMargin, 30);
    EXPECT_EQ(geometry.rightMargin, 16);
    EXPECT_EQ(geometry.bottomMargin, 40);
    EXPECT_TRUE(rp.MarginsFit());
    EXPECT_EQ(rp.pageToPrintableX(100), 84);
    EXPECT_EQ(rp.pageToPrintableY(100), 75);
}

TEST(PrinterMetrics, MarginsFitTurnsThePrinterToTheTemplatesOrientationFirst) {
    auto printer = printerWith({officePrinter(100, 150)});
    PageGeometry geometry;
    geometry.orientation = 1;
    geometry.leftMargin = geometry.rightMargin = 20;
    geometry.topMargin = geometry.bottomMargin = 20;
    ReportPrinter rp(*printer, geometry);
    rp.SelectReportPrinter(0);
    EXPECT_FALSE(rp.MarginsFit());  // sideways the left border is 150 pixels: 25 units
    EXPECT_EQ(printer->settings()->orientation, DeviceSettings::kLandscape);
    EXPECT_EQ(rp.minimumMargins(), (MinimumMargins{25, 16, 25, 16}));
    EXPECT_TRUE(rp.PaperFits());  // the sideways sheet holds the sideways page

    geometry.orientation = 0;
    rp.ApplyOrientation();
    EXPECT_EQ(printer->settings()->orientation, DeviceSettings::kPortrait);
    EXPECT_EQ(rp.metrics().physicalWidth, 4960);
}

TEST(PrinterMetrics, AnIndexOutsideTheListOrABrokenDeviceLeavesNoPrinter) {
    FixturePrinter broken = officePrinter();
    broken.entry.name = "Rozbitá";
    broken.isDefault = false;
    broken.invalid = true;
    auto printer = printerWith({officePrinter(), broken});
    PageGeometry geometry;
    ReportPrinter rp(*printer, geometry);
    for (int index : {2, -2, 1}) {
        rp.SelectReportPrinter(0);
        ASSERT_TRUE(rp.metrics().present);
        rp.SelectReportPrinter(index);
        EXPECT_FALSE(rp.metrics().present) << index;
        EXPECT_EQ(rp.metrics().scaleX, 1.0f) << index;
        EXPECT_TRUE(rp.PaperFits()) << index;
    }
}

TEST(PrinterKind, KindsStatusAndThermalDrivers) {
    struct Case {
        const char* driver;
        bool isDefault;
        const char* kind;
        const char* status;
        bool thermal;
    };
    const QList<Case> cases = {
        {"Apollo 3", false, "3", "CAB , připravena", true},
        {"A 3/200", false, "3", "CAB , připravena", true},
        {"Apollo 2", true, "-2", "CAB , připravena", true},
        {"Apollo 1", false, "1", "CAB , připravena", true},
        {"A 8", false, "8", "CAB , připravena", true},
        {"Apollo 3/300", false, "4", "CAB , připravena", true},
        {"A 3/300", false, "4", "CAB , připravena", true},
        {"Tharo Gemini 2", false, "12", "CAB , připravena", true},
        {"Tharo Gemini", false, "11", "CAB , připravena", true},
        {"GEMINI2", true, "-11", "CAB , připravena", true},
        {"HP LaserJet 4", true, "-NOR", "Připravena", false},
        {"", false, "NOR", "Připravena", false},
    };
    for (const Case& c : cases) {
        const QString kind = printerKind(c.driver, c.isDefault);
        EXPECT_EQ(kind, c.kind) << c.driver;
        EXPECT_EQ(printerStatusText(kind), QString(c.status)) << c.driver;
        EXPECT_EQ(isThermalPrinterDriver(c.driver), c.thermal) << c.driver;
    }
}

#include <gtest/gtest.h>

#include <QPainter>
#include <QTemporaryDir>

#include "support/fixture_printer_backend.h"
#include "report/render/printer/printer.h"
#include "report/render/printer/printer_kind.h"
#include "report/render/printer/printer_listing.h"
#include "report/render/printer/system_profile.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

std::unique_ptr<FixturePrinterBackend> fixtureBackend() {
    QString error;
    auto backend = FixturePrinterBackend::fromFile(
        test::sourcePath("tests/report/render/printer/fixtures/printers.ini"), &error);
    EXPECT_TRUE(backend) << error.toStdString();
    return backend;
}

}  // namespace

TEST(Printer, ListsFixturePrintersAndStartsOnTheDefault) {
    Printer printer(fixtureBackend());
    EXPECT_EQ(printer.printers(), QStringList({"Kancelář", "Etikety", "Rozbitá"}));
    EXPECT_EQ(printer.defaultPrinterIndex(), 1);
    EXPECT_EQ(printer.printerIndex(), 1);
    QString device, driver, port;
    std::optional<DeviceSettings> settings;
    ASSERT_TRUE(printer.getPrinter(&device, &driver, &port, &settings));
    EXPECT_EQ(device, "Etikety");
    EXPECT_EQ(driver, "Apollo 2");
    EXPECT_EQ(port, "usb://cab/A2");
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->deviceName, "Etikety");
    EXPECT_EQ(settings->paperSize, 256);
    EXPECT_EQ(settings->privateBytes.size(), 84);
    EXPECT_EQ(printer.deviceFonts(), QStringList({"Swiss 721", "Monospace 821"}));

    const QList<ListedPrinter> listed = listPrinters(printer);
    EXPECT_EQ(listed,
              (QList<ListedPrinter>{{"Kancelář", "HP LaserJet 4", "socket://10.0.0.5", "NOR"},
                                    {"Etikety", "Apollo 2", "usb://cab/A2", "-2"},
                                    {"Rozbitá", "A 3/300", "lpd://sklad/etikety", "4"}}));
    EXPECT_EQ(printerStatusText(listed[1].kind), "CAB , připravena");
    EXPECT_EQ(printerStatusText(listed[0].kind), "Připravena");
}

TEST(Printer, SelectionErrorsAndTheMissingDefault) {
    FixturePrinter a;
    a.entry = {"A", "HP", "ipp://a"};
    FixturePrinter b = a;
    b.entry.name = "B";
    Printer printer(std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{a, b}));
    EXPECT_EQ(printer.defaultPrinterIndex(), -1);
    EXPECT_EQ(printer.lastError(), "There is no default printer currently selected");
    EXPECT_FALSE(printer.setPrinterIndex(-1));
    EXPECT_EQ(printer.printerIndex(), 0);  // no default named: the first printer
    EXPECT_FALSE(printer.setPrinterIndex(2));
    EXPECT_EQ(printer.lastError(), "Printer index out of range");
    EXPECT_FALSE(printer.setPrinterIndex(-2));
    EXPECT_EQ(printer.printerIndex(), 0);

    Printer none(std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{}));
    EXPECT_EQ(none.printerIndex(), -1);
    EXPECT_FALSE(none.settings());
    EXPECT_FALSE(none.setOrientation(DeviceSettings::kLandscape));
    EXPECT_EQ(none.lastError(), "Operation not supported on selected printer");
    EXPECT_FALSE(none.beginDoc());
    EXPECT_EQ(none.lastError(), "Printer selected is not valid");
}

TEST(Printer, SettingsStayWithTheCurrentPrinterUntilAnotherIsSelected) {
    Printer printer(fixtureBackend());
    ASSERT_TRUE(printer.setPrinterIndex(0));
    DeviceSettings s = *printer.settings();
    s.copies = 4;
    ASSERT_TRUE(printer.setSettings(s));
    ASSERT_TRUE(printer.setPrinterIndex(0));
    EXPECT_EQ(printer.settings()->copies, 4);
    ASSERT_TRUE(printer.setPrinterIndex(1));
    ASSERT_TRUE(printer.setPrinterIndex(0));
    EXPECT_EQ(printer.settings()->copies, 1);

    // A record given with set printer is taken; an unknown printer is appended.
    DeviceSettings given;
    given.copies = 2;
    ASSERT_TRUE(printer.setPrinter("etikety", "Apollo 2", "usb://cab/A2", given));
    EXPECT_EQ(printer.printerIndex(), 1);
    EXPECT_EQ(printer.settings()->copies, 2);
    EXPECT_EQ(printer.settings()->deviceName, "Etikety");
    ASSERT_TRUE(printer.setPrinter("Vzdálená", "Generic", "ipp://jinde", std::nullopt));
    EXPECT_EQ(printer.printerIndex(), 3);
    EXPECT_EQ(printer.printers().last(), "Vzdálená on ipp://jinde");
    EXPECT_FALSE(printer.settings());  // the print system does not know it

    // The properties prompt: without one it counts as cancelled.
    EXPECT_FALSE(printer.setPrinterWithPrompt("Kancelář", "", "", std::nullopt));
    printer.setPropertiesPrompt([](const PrinterEntry& e, DeviceSettings& r) {
        r.copies = 9;
        return e.name == "Kancelář";
    });
    EXPECT_TRUE(printer.setPrinterWithPrompt("Kancelář", "", "", std::nullopt));
    EXPECT_EQ(printer.settings()->copies, 9);
}

TEST(Printer, JobControlRecordsPagesAndRefusesTheWrongState) {
    auto backend = fixtureBackend();
    const auto jobs = backend->jobs();
    Printer printer(std::move(backend));
    ASSERT_TRUE(printer.setPrinterIndex(0));
    EXPECT_FALSE(printer.newPage());
    EXPECT_EQ(printer.lastError(), "Printer is not currently printing");
    EXPECT_EQ(printer.canvas(), nullptr);

    printer.title = "Ceník";
    ASSERT_TRUE(printer.beginDoc());
    EXPECT_TRUE(printer.printing());
    EXPECT_EQ(printer.pageNumber(), 1);
    EXPECT_FALSE(printer.beginDoc());
    EXPECT_EQ(printer.lastError(), "Printing in progress");
    EXPECT_FALSE(printer.setPrinterIndex(1));
    ASSERT_NE(printer.canvas(), nullptr);
    EXPECT_EQ(printer.canvas()->device()->logicalDpiY(), 600);
    printer.canvas()->drawRect(0, 0, 600, 600);
    ASSERT_TRUE(printer.newPage());
    EXPECT_EQ(printer.pageNumber(), 2);
    ASSERT_TRUE(printer.endDoc());
    EXPECT_FALSE(printer.printing());

    ASSERT_TRUE(printer.beginDoc());
    ASSERT_TRUE(printer.abort());
    EXPECT_TRUE(printer.aborted());
    EXPECT_FALSE(printer.printing());

    ASSERT_EQ(jobs->size(), 2);
    EXPECT_EQ((*jobs)[0].title, "Ceník");
    EXPECT_EQ((*jobs)[0].printer, "Kancelář");
    EXPECT_EQ((*jobs)[0].pages, 2);
    EXPECT_TRUE((*jobs)[0].finished);
    EXPECT_TRUE((*jobs)[0].pdf.startsWith("%PDF"));
    EXPECT_TRUE((*jobs)[1].aborted);
    EXPECT_FALSE((*jobs)[1].finished);

    ASSERT_TRUE(printer.setPrinterIndex(2));
    EXPECT_FALSE(printer.beginDoc());
    EXPECT_EQ(printer.lastError(), "Printer selected is not valid");
}

TEST(Printer, DeviceCapsFollowOrientationAndLabelLength) {
    Printer printer(fixtureBackend());
    ASSERT_TRUE(printer.setPrinterIndex(0));
    EXPECT_EQ(printer.deviceCaps(), (DeviceCaps{600, 600, 4960, 7016, 100, 150, 4760, 6716}));
    EXPECT_EQ(printer.pageWidth(), 4760);
    ASSERT_TRUE(printer.setOrientation(DeviceSettings::kLandscape));
    EXPECT_EQ(printer.deviceCaps(), (DeviceCaps{600, 600, 7016, 4960, 150, 100, 6716, 4760}));

    ASSERT_TRUE(printer.setPrinterIndex(1));
    DeviceSettings label = *printer.settings();
    label.paperLength = 500;  // a 50 mm label
    ASSERT_TRUE(printer.setSettings(label));
    const DeviceCaps caps = printer.deviceCaps();
    EXPECT_EQ(caps.physicalWidth, 1181);
    EXPECT_EQ(caps.physicalHeight, 591);
    EXPECT_EQ(caps.printableHeight, 591);
}

TEST(Printer, FixtureFileWithABadNumberIsRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath("printers.ini");
    ASSERT_TRUE(test::writeBytes(path, "[A]\r\nResolution=600x600\r\n"));
    QString error;
    EXPECT_FALSE(FixturePrinterBackend::fromFile(path, &error));
    EXPECT_TRUE(error.contains("Resolution=600x600")) << error.toStdString();
}

TEST(SystemProfile, NamesTheDefaultPrinterAndKeepsPrinterSections) {
    QTemporaryDir dir;
    const QString path = dir.filePath("config/dorvana/win.ini");
    ASSERT_TRUE(test::writeBytes(path,
                                 "[windows]\r\ndevice=B,winspool,Ne01:\r\n"
                                 "[Tisk B,usb://b]\r\nBcodeintrp=1\r\nTeplota=5\r\n"));
    FixturePrinter a;
    a.entry = {"A", "HP", "ipp://a"};
    FixturePrinter b = a;
    b.entry.name = "Tisk B";
    FixturePrinter c = a;
    c.entry.name = "B";
    Printer printer(std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{a, b, c}), path);
    EXPECT_EQ(printer.defaultPrinterIndex(), 2);
    EXPECT_EQ(printer.printerIndex(), 2);

    EXPECT_EQ(printerProfileSettings(path, "tisk b"), QStringList({"Bcodeintrp=1", "Teplota=5"}));
    EXPECT_TRUE(printerProfileSettings(path, "Tisk").isEmpty());
    ASSERT_TRUE(writePrinterProfileSettings(path, "Tisk B,usb://b",
                                            {"Bcodeintrp=0", "bez rovnítka", "Rychlost = 3"}));
    EXPECT_EQ(printerProfileSettings(path, "Tisk B"),
              QStringList({"Bcodeintrp=0", "Teplota=5", "Rychlost=3"}));
    EXPECT_EQ(profileDefaultPrinter(path), "B");

    const QString fresh = dir.filePath("nova/slozka/win.ini");
    ASSERT_TRUE(writePrinterProfileSettings(fresh, "C,lpd://c", {"Bcodeintrp=1"}));
    EXPECT_EQ(test::fileBytes(fresh), QByteArray("[C,lpd://c]\r\nBcodeintrp=1\r\n"));
}

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "base/ini_file.h"
#include "report/model/report_model.h"
#include "report/model/template_reader.h"
#include "report/model/text_elements.h"
#include "report/render/job/print_messages.h"
#include "support/print_job_fixture.h"
#include "report/render/job/template_printers.h"
#include "support/fixture_printer_backend.h"

using namespace dorvana;
using namespace dorvana::test;

namespace {

class TemplatePrintersTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString profile = dir.filePath("win.ini");
    Printer printer{fixtureBackend()};
    ReportModel model;

    void read(const QStringList& lines) {
        const TemplateReadResult r = readTemplate(lines, &model);
        ASSERT_TRUE(r.complete) << r.failure.toStdString();
    }
};

TEST_F(TemplatePrintersTest, MatchesNamesBeforeOnAndTakesTheProfileSettings) {
    ASSERT_TRUE(writeIniValue(profile, u"Sklad,ipp://sklad/q", u"Bcodeintrp", "0"));
    ASSERT_TRUE(writeIniValue(profile, u"Sklad,ipp://sklad/q", u"Rychlost", "3"));
    // "kancelář" differs in case only: names compare exactly.
    read({R"(I,8,0,"Chybí")", R"(I,8,1,"kancelář")", R"(I,8,2,"Sklad")", R"(I,8,2,"Rychlost=5")",
          R"(I,8,3,"Kancelář")"});
    TemplatePrinters chosen(printer, model.printers, profile);
    chosen.resolve();

    ASSERT_EQ(model.printers.size(), 4);
    EXPECT_FALSE(model.printers[0].installed);
    EXPECT_FALSE(model.printers[1].installed);
    EXPECT_TRUE(model.printers[2].installed);
    EXPECT_EQ(model.printers[2].fullName, "Sklad on ipp://sklad/q");
    EXPECT_EQ(model.printers[2].systemSettings, QStringList({"Bcodeintrp=0", "Rychlost=3"}));
    EXPECT_EQ(model.printers[2].settings, QStringList({"Rychlost=5"}));
    EXPECT_EQ(model.printers[3].fullName, "Kancelář on socket://10.0.0.5");
    EXPECT_EQ(chosen.templatePrinter(), 2);
    EXPECT_EQ(chosen.previousPrinter(), kOfficeIndex);  // the default printer was selected
    EXPECT_EQ(chosen.findInstalled(kStoreIndex), 2);
    EXPECT_EQ(chosen.findInstalled(kOfficeIndex), 3);
    EXPECT_EQ(chosen.findInstalled(kLabelIndex), -1);
    EXPECT_EQ(chosen.installedIndex(2), kStoreIndex);
    EXPECT_EQ(chosen.installedIndex(0), -1);
}

TEST_F(TemplatePrintersTest, ApplyWritesTheTemplateSettingsAndRestoreTakesThemBack) {
    ASSERT_TRUE(writeIniValue(profile, u"Sklad,ipp://sklad/q", u"Rychlost", "3"));
    ASSERT_TRUE(writeIniValue(profile, u"Jiná", u"Klíč", "zůstane"));
    read({R"(I,8,0,"Sklad")", R"(I,8,0,"Rychlost=5")", R"(I,8,0,"Bcodeintrp=0")"});
    TemplatePrinters chosen(printer, model.printers, profile);
    chosen.load(model);

    EXPECT_TRUE(chosen.active());
    EXPECT_EQ(printer.printerIndex(), kStoreIndex);
    EXPECT_FALSE(chosen.thermal());
    EXPECT_FALSE(chosen.barcodeByPrinter());
    EXPECT_EQ(readIniValue(profile, u"Sklad,ipp://sklad/q", u"Rychlost"), "5");
    EXPECT_EQ(readIniValue(profile, u"Sklad,ipp://sklad/q", u"Bcodeintrp"), "0");

    ASSERT_TRUE(chosen.restore());
    EXPECT_FALSE(chosen.active());
    EXPECT_EQ(printer.printerIndex(), kOfficeIndex);
    EXPECT_EQ(readIniValue(profile, u"Sklad,ipp://sklad/q", u"Rychlost"), "3");
    // A key the template brought in was not there before: it goes again.
    IniFile ini;
    ASSERT_TRUE(ini.load(profile));
    EXPECT_FALSE(ini.contains(u"Sklad,ipp://sklad/q", u"Bcodeintrp"));
    EXPECT_EQ(ini.value(u"Jiná", u"Klíč"), "zůstane");
}

TEST_F(TemplatePrintersTest, SettingsTextsStayOutOfTheProfile) {
    read({R"(I,8,0,"Sklad")", R"(I,8,0,"System = NT")", R"(I,8,0,"Delka = 0")",
          R"(I,8,0,"Kopie = 2")", R"(I,8,0,"Papir = 9")", R"(I,8,0,"Orientace = Na vysku")"});
    TemplatePrinters chosen(printer, model.printers, profile);
    chosen.load(model);
    EXPECT_TRUE(chosen.active());
    EXPECT_FALSE(QFileInfo::exists(profile));
    EXPECT_TRUE(chosen.barcodeByPrinter());
}

TEST_F(TemplatePrintersTest, BarcodeByPrinterFollowsBcodeintrp) {
    struct Case {
        QStringList templateLines;
        QString profileValue;  // empty: no such key in the profile
        bool expected;
    };
    const QList<Case> cases = {
        {{}, {}, true},
        {{"Bcodeintrp=1"}, {}, true},
        {{"Bcodeintrp=0"}, {}, false},
        {{}, "0", false},
        {{"Bcodeintrp=1"}, "0", true},  // the template's setting is what is written
        {{"BCODEINTRP= 0"}, "1", false},
    };
    for (const Case& c : cases) {
        QTemporaryDir caseDir;
        const QString path = caseDir.filePath("win.ini");
        if (!c.profileValue.isEmpty()) {
            ASSERT_TRUE(writeIniValue(path, u"Sklad,ipp://sklad/q", u"Bcodeintrp", c.profileValue));
        }
        QStringList lines = {R"(I,8,0,"Sklad")"};
        for (const QString& l : c.templateLines) lines << QStringLiteral("I,8,0,\"%1\"").arg(l);
        ReportModel m;
        readTemplate(lines, &m);
        TemplatePrinters chosen(printer, m.printers, path);
        chosen.load(m);
        EXPECT_EQ(chosen.barcodeByPrinter(), c.expected)
            << c.templateLines.join(u';').toStdString() << " / " << c.profileValue.toStdString();
        chosen.restore();
    }
}

TEST_F(TemplatePrintersTest, ThermalPrinterListsDeviceFontsAndSetsTheirCharset) {
    read({R"(I,8,0,"Etikety")", R"(T,1,0,12,56,60,22,Swiss 721,10,0,0,0,0,1,2,"Cena:","","",0)",
          R"(T,1,0,12,80,60,22,Arial,10,0,0,0,0,1,2,"Kč","","",0)"});
    TemplatePrinters chosen(printer, model.printers, profile);
    chosen.load(model);
    EXPECT_TRUE(chosen.thermal());
    EXPECT_EQ(chosen.deviceFonts(), QStringList({"Swiss 721", "Monospace 821"}));
    EXPECT_EQ(printer.printerIndex(), kLabelIndex);
    const QList<TSesPrvek*> elements = model.page().allElements();
    ASSERT_EQ(elements.size(), 2);
    EXPECT_EQ(elements[0]->font.charset, 0);  // a device font
    EXPECT_EQ(elements[1]->font.charset, 2);

    chosen.restore();
    EXPECT_EQ(printer.printerIndex(), kOfficeIndex);
}

TEST_F(TemplatePrintersTest, ActivationRule) {
    read({R"(I,8,0,"Sklad")", R"(I,8,0,"Rychlost=5")"});
    TemplatePrinters chosen(printer, model.printers, profile);
    chosen.load(model);
    const auto speed = [&] { return readIniValue(profile, u"Sklad,ipp://sklad/q", u"Rychlost"); };
    ASSERT_EQ(speed(), "5");

    chosen.windowDeactivated(false);
    EXPECT_FALSE(chosen.active());
    EXPECT_EQ(speed(), "");
    chosen.windowActivated();
    EXPECT_TRUE(chosen.active());
    EXPECT_EQ(speed(), "5");

    // With a progress window up nothing changes, nor at the next activation.
    chosen.windowDeactivated(true);
    EXPECT_TRUE(chosen.active());
    chosen.restore();
    chosen.windowActivated();
    EXPECT_FALSE(chosen.active());
    chosen.windowActivated();
    EXPECT_TRUE(chosen.active());

    chosen.stopReapplying();
    chosen.windowDeactivated(false);
    EXPECT_TRUE(chosen.active());
}

TEST_F(TemplatePrintersTest, NoPrintersWritesNothingAndKeepsTheSelection) {
    read({R"(I,0,"Bez tiskáren")"});
    printer.setPrinterIndex(kStoreIndex);
    TemplatePrinters chosen(printer, model.printers, profile);
    chosen.load(model);
    EXPECT_FALSE(chosen.active());
    EXPECT_EQ(chosen.templatePrinter(), -1);
    EXPECT_TRUE(chosen.barcodeByPrinter());
    EXPECT_EQ(printer.printerIndex(), kStoreIndex);
    EXPECT_FALSE(QFileInfo::exists(profile));
}

TEST_F(TemplatePrintersTest, AnUnreadableProfileIsNotOverwritten) {
    ASSERT_TRUE(QDir().mkpath(profile));  // a folder where the file should be
    read({R"(I,8,0,"Sklad")", R"(I,8,0,"Rychlost=5")"});
    TemplatePrinters chosen(printer, model.printers, profile);
    chosen.resolve();
    QString error;
    EXPECT_FALSE(chosen.apply(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(profile).isDir());
    EXPECT_EQ(printer.printerIndex(), kStoreIndex);  // selected all the same
}

TEST_F(TemplatePrintersTest, WrongPrinterMessages) {
    using namespace print_messages;
    read({R"(I,8,0,"Chybí")", R"(I,8,1,"Sklad")"});
    TemplatePrinters missing(printer, model.printers, profile);
    missing.resolve();
    EXPECT_EQ(missing.wrongPrinterMessage(),
              "Vybraná sestava nelze správně vytisknout na vybrané tiskárně. Sestava byla "
              "navržena pro tiskárnu:  \" Chybí \", která není v systému (CUPS) nainstalována. "
              "Nainstalujte si prosím příslušnou tiskárnu !");

    ReportModel other;
    readTemplate({R"(I,8,0,"Sklad")"}, &other);
    TemplatePrinters installed(printer, other.printers, profile);
    installed.resolve();
    EXPECT_EQ(installed.wrongPrinterMessage(),
              "Vybraná sestava nelze správně vytisknout na vybrané tiskárně. Sestava byla "
              "navržena pro tiskárnu:   \" Sklad \", která je v systému (CUPS) nainstalována. "
              "Vyberte tuto tiskárnu a zopakujte tisk !");
}

TEST(PrinterNames, FullAndBaseNames) {
    EXPECT_EQ(printerFullName({"Sklad", "HP", "ipp://sklad"}), "Sklad on ipp://sklad");
    EXPECT_EQ(printerFullName({"Sklad", "HP", ""}), "Sklad");
    EXPECT_EQ(printerBaseName("Sklad on ipp://x on y"), "Sklad");
    EXPECT_EQ(printerBaseName("Sklad"), "Sklad");
    const QString longName = QString(70, u'x');
    FixturePrinter p;
    p.entry = {longName, "HP", "lpt1"};
    Printer printer(std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{p}));
    ReportModel model;
    readTemplate({QStringLiteral("I,8,0,\"%1\"").arg(longName)}, &model);
    TemplatePrinters chosen(printer, model.printers, QString());
    chosen.resolve();
    EXPECT_TRUE(
        chosen.wrongPrinterMessage().contains(QStringLiteral("\" %1 \",").arg(QString(64, u'x'))));
}

}  // namespace

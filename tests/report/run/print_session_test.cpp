// The print session without windows: the template's printers applied and put
// back, the print on a named printer with unattended answers, the settings
// confirmed under "&Vlastnosti..." kept for the job, and the template's own
// paper when nobody chose one.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "base/ini_file.h"
#include "base/progress.h"
#include "report/render/job/print_messages.h"
#include "report/render/job/unattended_prompts.h"
#include "report/run/print_session.h"
#include "report/run/report_component.h"
#include "support/print_job_fixture.h"

using namespace dorvana;
using namespace dorvana::test;

namespace {

// Without records a report prints its start section once: one page per
// template, here with a text on it.
QStringList templateFor(const QStringList& printerLines, int paperHeight = 1169) {
    QStringList lines = {R"(I,0,"Štítky")", "I,1,1,5,1,0,0",
                         QStringLiteral("I,2,0,826,%1,50,50,70,70,1,0,4,4,0,1").arg(paperHeight),
                         "I,3,0,1,100,0,0"};
    lines << printerLines;
    lines << R"(Z,1,0,20,20,300,40,Arial,12,0,0,0,0,1,238,"Sklad A")";
    return lines;
}

class PrintSessionTest : public ::testing::Test {
protected:
    PrintSessionTest() {
        backend = fixtureBackend().release();
        jobs = backend->jobs();
        printer = std::make_unique<Printer>(std::unique_ptr<PrinterBackend>(backend));
        QDir::setCurrent(dir.path());
        component.ReportPrintDialog = false;
    }
    ~PrintSessionTest() override { QDir::setCurrent(previousDir); }

    // Loads, builds and prints unattended on the named printer; the error
    // of the step that failed.
    QString printOn(const QString& name, const QStringList& lines, int copies = 0,
                    const QString& title = {}) {
        component.inMemoryTemplate = lines;
        PrintSession session(component, *printer, profile);
        QString error;
        if (!session.load(&error)) return error;
        const int index = session.findPrinter(name, &error);
        if (index < 0) return error;
        barcodeByPrinter = session.job().run().barcodeByPrinter;
        NoProgress progress;
        session.build(progress);
        UnattendedPrintPrompts prompts;
        PrintRequest request = session.request();
        request.printerIndex = index;
        request.copies = copies;
        request.title = title;
        request.previewMode = true;
        if (!session.print(request, prompts, &progress, &error))
            return !prompts.message.isEmpty() ? prompts.message
                   : error.isEmpty()          ? "(no message)"
                                              : error;
        scaled = session.scaledToPaper();
        return {};
    }

    const QString previousDir = QDir::currentPath();
    QTemporaryDir dir;
    QString profile = dir.filePath("win.ini");
    FixturePrinterBackend* backend = nullptr;
    std::shared_ptr<QList<RecordedJob>> jobs;
    std::unique_ptr<Printer> printer;
    TSestava component;
    bool barcodeByPrinter = true;
    bool scaled = false;
};

TEST_F(PrintSessionTest, PrintsOnTheNamedPrinterWithTheTemplatesSettings) {
    const QStringList lines = templateFor(
        {R"(I,8,0,"Etikety")", R"(I,8,0,"System = NT")", R"(I,8,0,"Delka = 0")",
         R"(I,8,0,"Kopie = 2")", R"(I,8,0,"Papir = 256")", R"(I,8,0,"Orientace = Na vysku")",
         R"(I,8,1,"Sklad")", R"(I,8,1,"Bcodeintrp=0")"},
        500);
    // Names are found without regard to case when no exact match exists.
    ASSERT_EQ(printOn("etikety", lines), "");
    ASSERT_EQ(jobs->size(), 1);
    EXPECT_EQ(jobs->at(0).printer, "Etikety");
    EXPECT_EQ(jobs->at(0).settings.copies, 2);
    EXPECT_EQ(jobs->at(0).pages, 1);
    EXPECT_TRUE(jobs->at(0).finished);
    EXPECT_TRUE(barcodeByPrinter);  // the template printer is Etikety

    ASSERT_EQ(printOn("Sklad", lines, 3, "Štítky"), "");
    EXPECT_EQ(jobs->last().printer, "Sklad");
    EXPECT_EQ(jobs->last().settings.copies, 3);
    EXPECT_EQ(jobs->last().title, "Štítky");
    EXPECT_FALSE(scaled);
    // The profile lines were in while printing and went afterwards.
    IniFile ini;
    ASSERT_TRUE(ini.load(profile));
    EXPECT_TRUE(ini.sections().isEmpty()) << ini.lines().join(u'\n').toStdString();
}

TEST_F(PrintSessionTest, Refusals) {
    const QStringList lines = templateFor({R"(I,8,0,"Sklad")"});
    EXPECT_EQ(printOn("Nikde", lines), "Tiskárna \"Nikde\" není nainstalována.");
    const QString wrong = printOn("Kancelář", lines);
    // The message names where a Linux system keeps its printers.
    EXPECT_TRUE(
        wrong.endsWith(u"\" Sklad \", která je v systému (CUPS) nainstalována. Vyberte tuto "
                       u"tiskárnu a zopakujte tisk !"))
        << wrong.toStdString();
    EXPECT_TRUE(jobs->isEmpty());

    printer->setBackend(std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{}));
    EXPECT_EQ(printOn("Sklad", lines), print_messages::kNoPrinter);
    EXPECT_FALSE(print_messages::kNoPrinter.contains(u"Windows"));
    EXPECT_TRUE(print_messages::kNoPrinter.contains(u"CUPS"));
}

TEST_F(PrintSessionTest, APageLargerThanTheSheetIsFittedToIt) {
    ASSERT_EQ(printOn("Malá", templateFor({})), "");
    EXPECT_TRUE(scaled);
    ASSERT_EQ(jobs->size(), 1);
    EXPECT_EQ(jobs->at(0).pages, 1);
}

// "&Vlastnosti..." on a printer the template keeps no settings for: what the
// user confirmed is what the job goes out with, and what opens again.
TEST_F(PrintSessionTest, SettingsConfirmedForAPrinterTheTemplateDoesNotListGoWithTheJob) {
    component.inMemoryTemplate = templateFor({});
    PrintSession session(component, *printer, profile);
    QString error;
    ASSERT_TRUE(session.load(&error)) << error.toStdString();
    std::optional<DeviceSettings> record = session.settingsToEdit(kStoreIndex, &error);
    ASSERT_TRUE(record) << error.toStdString();
    EXPECT_EQ(record->paperSize, 9);
    record->paperSize = 11;  // A5
    record->orientation = DeviceSettings::kLandscape;
    session.confirmSettings(kStoreIndex, *record);
    const std::optional<DeviceSettings> again = session.settingsToEdit(kStoreIndex, &error);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->paperSize, 11);

    NoProgress progress;
    session.build(progress);
    ScriptedPrompts prompts;
    PrintRequest request = session.request();
    request.printerIndex = kStoreIndex;
    request.previewMode = true;
    ASSERT_TRUE(session.print(request, prompts, &progress, &error))
        << prompts.errors.join(u'\n').toStdString() << error.toStdString();
    ASSERT_EQ(jobs->size(), 1);
    EXPECT_EQ(jobs->at(0).settings.paperSize, 11);
    // The template's orientation (portrait) goes on the printer as always.
    EXPECT_EQ(jobs->at(0).settings.orientation, DeviceSettings::kPortrait);
}

}  // namespace

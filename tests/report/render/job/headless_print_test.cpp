#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "base/ini_file.h"
#include "report/layout/report_run.h"
#include "report/model/report_model.h"
#include "report/render/job/headless_print.h"
#include "report/render/job/print_messages.h"
#include "report/render/job/support/job_fixture.h"

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

class HeadlessPrintTest : public ::testing::Test {
protected:
    HeadlessPrintTest() {
        backend = fixtureBackend().release();
        jobs = backend->jobs();
        printer = std::make_unique<Printer>(std::unique_ptr<PrinterBackend>(backend));
        QDir::setCurrent(dir.path());
    }
    ~HeadlessPrintTest() override { QDir::setCurrent(previousDir); }

    // Loads, prepares, builds and prints; the error of the step that failed.
    QString printOn(const QString& name, const QStringList& lines,
                    const HeadlessPrintOptions& options = {}) {
        ReportRun run;
        run.loadTemplate(lines);
        HeadlessPrint print(run, *printer, profile);
        QString error;
        if (!print.prepare(name, &error)) return error;
        barcodeByPrinter = run.barcodeByPrinter;
        NoProgress progress;
        run.build(progress);
        if (!print.print(options, &error)) return error.isEmpty() ? "(no message)" : error;
        scaled = print.scaledToPaper();
        return {};
    }

    const QString previousDir = QDir::currentPath();
    QTemporaryDir dir;
    QString profile = dir.filePath("win.ini");
    FixturePrinterBackend* backend = nullptr;
    std::shared_ptr<QList<RecordedJob>> jobs;
    std::unique_ptr<Printer> printer;
    bool barcodeByPrinter = true;
    bool scaled = false;
};

TEST_F(HeadlessPrintTest, PrintsOnTheNamedPrinterWithTheTemplatesSettings) {
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

    HeadlessPrintOptions options;
    options.copies = 3;
    options.title = "Štítky";
    ASSERT_EQ(printOn("Sklad", lines, options), "");
    EXPECT_EQ(jobs->last().printer, "Sklad");
    EXPECT_EQ(jobs->last().settings.copies, 3);
    EXPECT_EQ(jobs->last().title, "Štítky");
    EXPECT_FALSE(scaled);
    // The profile lines were in while printing and went afterwards.
    IniFile ini;
    ASSERT_TRUE(ini.load(profile));
    EXPECT_TRUE(ini.sections().isEmpty()) << ini.lines().join(u'\n').toStdString();
}

TEST_F(HeadlessPrintTest, Refusals) {
    const QStringList lines = templateFor({R"(I,8,0,"Sklad")"});
    EXPECT_EQ(printOn("Nikde", lines), "Tiskárna \"Nikde\" není nainstalována.");
    const QString wrong = printOn("Kancelář", lines);
    EXPECT_TRUE(
        wrong.endsWith(u"\" Sklad \", která je ve Windows nainstalována. Vyberte tuto "
                       u"tiskárnu a zopakujte tisk !"))
        << wrong.toStdString();
    EXPECT_TRUE(jobs->isEmpty());

    printer->setBackend(std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{}));
    EXPECT_EQ(printOn("Sklad", lines), print_messages::kNoPrinter);
    // The message sends the user to where a Linux system adds printers.
    EXPECT_FALSE(print_messages::kNoPrinter.contains(u"Windows"));
    EXPECT_TRUE(print_messages::kNoPrinter.contains(u"CUPS"));
}

TEST_F(HeadlessPrintTest, APageLargerThanTheSheetIsFittedToIt) {
    ASSERT_EQ(printOn("Malá", templateFor({})), "");
    EXPECT_TRUE(scaled);
    ASSERT_EQ(jobs->size(), 1);
    EXPECT_EQ(jobs->at(0).pages, 1);
}

}  // namespace

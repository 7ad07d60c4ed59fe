#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "report/model/report_model.h"
#include "report/model/template_reader.h"
#include "report/render/job/print_messages.h"
#include "report/render/job/print_pipeline.h"
#include "support/print_job_fixture.h"
#include "report/render/printer/settings_text.h"
#include "support/test_support.h"

using namespace dorvana;
using namespace dorvana::test;

namespace {

struct PrintedRange {
    int first, last;
    QString title;
    bool operator==(const PrintedRange&) const = default;
};

// One print of a model's pages on the fixture printers; the page printer
// opens a job so that the fixture records the job's device settings.
class PipelineTest : public ::testing::Test {
protected:
    PipelineTest() {
        backend = fixtureBackend().release();
        jobs = backend->jobs();
        printer = std::make_unique<Printer>(std::unique_ptr<PrinterBackend>(backend));
        QDir::setCurrent(dir.path());       // no Def_Printer.drv unless a test writes one
        pages.addElement(2, TPrevPrvek());  // three pages
    }
    ~PipelineTest() override { QDir::setCurrent(previousDir); }

    void read(const QStringList& lines) { readTemplate(lines, &model); }

    bool print(PrintRequest& request) {
        chosen =
            std::make_unique<TemplatePrinters>(*printer, model.printers, dir.filePath("w.ini"));
        chosen->load(model);
        metrics = std::make_unique<ReportPrinter>(*printer, model.paper);
        PrintPipeline pipeline(*printer, *metrics, *chosen, pages, prompts,
                               [this](int first, int last, const QString& title) {
                                   printed << PrintedRange{first, last, title};
                                   return printer->beginDoc() && printer->endDoc();
                               });
        pipeline.buildPages = buildPages;
        pipeline.buildCancelled = previewBuildCancelled;
        const bool ok = pipeline.Print(request);
        chosen->restore();
        return ok;
    }

    const QString previousDir = QDir::currentPath();
    QTemporaryDir dir;
    FixturePrinterBackend* backend = nullptr;
    std::shared_ptr<QList<RecordedJob>> jobs;
    std::unique_ptr<Printer> printer;
    ReportModel model;
    PageStore pages;
    ScriptedPrompts prompts;
    std::unique_ptr<TemplatePrinters> chosen;
    std::unique_ptr<ReportPrinter> metrics;
    std::function<bool()> buildPages;
    bool previewBuildCancelled = false;
    QList<PrintedRange> printed;
};

PrintRequest noDialog(int printerIndex = -1) {
    PrintRequest r;
    r.printerIndex = printerIndex;
    r.showPrintDialog = false;
    r.title = "Ceník";
    r.previewMode = true;
    return r;
}

TEST_F(PipelineTest, NoPrinterInstalled) {
    printer->setBackend(std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{}));
    bool built = false;
    buildPages = [&] { return built = true, false; };
    PrintRequest request = noDialog();
    request.previewMode = false;
    EXPECT_FALSE(print(request));
    EXPECT_EQ(prompts.errors, QStringList{print_messages::kNoPrinter});
    EXPECT_FALSE(built);
    EXPECT_TRUE(printed.isEmpty());
}

TEST_F(PipelineTest, NoneOfTheTemplatePrintersInstalled) {
    read({R"(I,8,0,"Zebra")", R"(I,8,0,"Bcodeintrp=0")", R"(I,8,1,"Tharo")"});
    for (int index : {kOfficeIndex, kLabelIndex, -1}) {
        printed.clear();
        prompts.errors.clear();
        PrintRequest request = noDialog(index);
        EXPECT_FALSE(print(request));
        ASSERT_EQ(prompts.errors.size(), 1);
        EXPECT_TRUE(
            prompts.errors[0].contains(u"tiskárnu:  \" Zebra \", která není v systému (CUPS) "
                                       u"nainstalována. Nainstalujte"))
            << prompts.errors[0].toStdString();
        EXPECT_TRUE(printed.isEmpty());
    }
    EXPECT_TRUE(jobs->isEmpty());
}

TEST_F(PipelineTest, InstalledTemplatePrinterOtherThanTheChosenOne) {
    read({R"(I,8,0,"Sklad")"});
    PrintRequest request = noDialog(kOfficeIndex);
    EXPECT_FALSE(print(request));
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_TRUE(
        prompts.errors[0].endsWith(u"tiskárnu:   \" Sklad \", která je v systému (CUPS) "
                                   u"nainstalována. Vyberte tuto tiskárnu a zopakujte "
                                   u"tisk !"));
    EXPECT_TRUE(printed.isEmpty());
}

TEST_F(PipelineTest, PrintingOnTheSecondTemplatePrinterStoresItsSettingsBack) {
    read({R"(I,8,0,"Kancelář")", R"(I,8,0,"Bcodeintrp=0")", R"(I,8,1,"Etikety")",
          R"(I,8,1,"System = NT")", R"(I,8,1,"Delka = 500")", R"(I,8,1,"Kopie = 2")",
          R"(I,8,1,"Papir = 256")", R"(I,8,1,"Orientace = Na vysku")",
          R"(I,8,1,"Line1 = 01 02 03 ")"});
    model.paper.paperWidth = 400;
    model.paper.paperHeight = 150;
    PrintRequest request = noDialog(kLabelIndex);
    request.startPage = 2;
    ASSERT_TRUE(print(request)) << prompts.errors.join(u'\n').toStdString();

    EXPECT_EQ(printed, (QList<PrintedRange>{{2, 9999, "Ceník"}}));
    ASSERT_EQ(jobs->size(), 1);
    const RecordedJob& job = jobs->first();
    EXPECT_EQ(job.printer, "Etikety");
    EXPECT_EQ(job.settings.copies, 2);
    EXPECT_EQ(job.settings.paperLength, 500);
    EXPECT_EQ(job.settings.privateBytes.left(4), QByteArray("\x01\x02\x03\x00", 4));

    // The record read back from the printer is now the template's settings.
    DeviceSettings expected = job.settings;
    EXPECT_EQ(model.printers[1].settings, WriteSettingsText(expected));
    EXPECT_EQ(model.printers[1].settings.size(), 5 + 6);  // 84 private bytes
    // The first printer's profile lines are left alone.
    EXPECT_EQ(model.printers[0].settings, QStringList{"Bcodeintrp=0"});
    EXPECT_EQ(prompts.enabledChanges, 2);
    EXPECT_TRUE(prompts.windowEnabled);
    EXPECT_EQ(prompts.statuses.last(), print_messages::kSending);
}

TEST_F(PipelineTest, ProfileLinesOfTheTemplateSurvivePrinting) {
    read({R"(I,8,0,"Sklad")", R"(I,8,0,"Bcodeintrp=0")"});
    PrintRequest request = noDialog(kStoreIndex);
    ASSERT_TRUE(print(request));
    EXPECT_EQ(model.printers[0].settings, QStringList{"Bcodeintrp=0"});
}

TEST_F(PipelineTest, MultiCopyModeStoresTheDialogRangeAndPrintsNothing) {
    PrintRequest request = noDialog();
    request.showPrintDialog = true;
    request.printCopies = 3;
    request.startPage = 1;
    request.endPage = 40;
    prompts.dialogChoice.firstPage = 2;
    prompts.dialogChoice.lastPage = 5;
    EXPECT_FALSE(print(request));
    EXPECT_EQ(request.startPage, 2);
    EXPECT_EQ(request.endPage, 5);
    EXPECT_TRUE(printed.isEmpty());
    ASSERT_EQ(prompts.dialogsShown.size(), 1);
    EXPECT_EQ(prompts.dialogsShown[0].lastPage, 40);  // EndPage, not the page count

    // From page 1 the copy goes out, with PrintCopies as its copies.
    prompts.dialogChoice.firstPage = 1;
    EXPECT_TRUE(print(request));
    EXPECT_EQ(request.endPage, 5);
    EXPECT_EQ(printed, (QList<PrintedRange>{{1, 5, "Ceník"}}));
    EXPECT_EQ(jobs->last().settings.copies, 3);
}

TEST_F(PipelineTest, PrintDialogChoosesRangeCopiesAndPrinter) {
    read({R"(I,8,0,"Sklad")", R"(I,8,0,"System = NT")", R"(I,8,0,"Delka = 0")",
          R"(I,8,0,"Kopie = 4")", R"(I,8,0,"Papir = 9")", R"(I,8,0,"Orientace = Na vysku")"});
    PrintRequest request = noDialog();
    request.showPrintDialog = true;
    request.startPage = 2;

    prompts.dialogAnswer = false;
    EXPECT_FALSE(print(request));
    ASSERT_EQ(prompts.dialogsShown.size(), 1);
    const PrintDialogValues shown = prompts.dialogsShown[0];
    EXPECT_EQ(shown.printerIndex, kStoreIndex);  // the template printer is selected
    EXPECT_EQ(shown.firstPage, 2);
    EXPECT_EQ(shown.lastPage, 3);  // the page count
    EXPECT_EQ(shown.copies, 4);    // the template's
    EXPECT_TRUE(printed.isEmpty());

    prompts.dialogAnswer = true;
    prompts.dialogChoice = {kStoreIndex, 1, 2, 7};
    ASSERT_TRUE(print(request));
    EXPECT_EQ(printed, (QList<PrintedRange>{{1, 2, "Ceník"}}));
    EXPECT_EQ(jobs->last().printer, "Sklad");
    EXPECT_EQ(jobs->last().settings.copies, 7);
    EXPECT_EQ(request.startPage, 2);  // stays in single-copy mode

    // Choosing a printer the template does not name fails.
    prompts.dialogChoice.printerIndex = kOfficeIndex;
    EXPECT_FALSE(print(request));
    EXPECT_TRUE(prompts.errors.last().contains(u"Vyberte tuto tiskárnu"));
    EXPECT_EQ(printed.size(), 1);
}

TEST_F(PipelineTest, CancelledBuildAsksBeforePrintingThePartialReport) {
    struct Case {
        bool preview;
        bool cancelled;
        bool answer;
        bool asked;
        bool printed;
    };
    const QList<Case> cases = {
        {false, true, false, true, false},  {false, true, true, true, true},
        {false, false, false, false, true}, {true, true, false, true, false},
        {true, false, true, false, true},
    };
    for (const Case& c : cases) {
        printed.clear();
        prompts.confirmations.clear();
        int builds = 0;
        buildPages = [&] { return ++builds, c.cancelled; };
        previewBuildCancelled = c.preview && c.cancelled;
        prompts.confirmAnswer = c.answer;
        PrintRequest request = noDialog();
        request.previewMode = c.preview;
        EXPECT_EQ(print(request), c.printed);
        EXPECT_EQ(builds, c.preview ? 0 : 1);
        EXPECT_EQ(prompts.confirmations,
                  c.asked ? QStringList{print_messages::kPartialReport} : QStringList());
        EXPECT_EQ(printed.size(), c.printed ? 1 : 0);
    }
}

TEST_F(PipelineTest, PaperQuestion) {
    // An A4 template on a printer of 4 x 6 in sheets at 300 dpi: 404 x 606 units.
    struct Case {
        PrintPrompts::Answer answer;
        bool printed;
        float scale;
    };
    const float fitted = 3.0f * float(std::min(404.0 / 826, 606.0 / 1169));
    for (const Case& c : {Case{PrintPrompts::Answer::Cancel, false, 0},
                          Case{PrintPrompts::Answer::Yes, true, fitted},
                          Case{PrintPrompts::Answer::No, true, 3.0f}}) {
        printed.clear();
        prompts.questions.clear();
        prompts.askAnswer = c.answer;
        PrintRequest request = noDialog(kSmallIndex);
        EXPECT_EQ(print(request), c.printed);
        EXPECT_EQ(prompts.questions, QStringList{print_messages::kPaperTooSmall});
        if (c.printed) {
            EXPECT_FLOAT_EQ(float(pages.printerScaleX), c.scale);
            EXPECT_FLOAT_EQ(float(pages.printerScaleY), c.scale);
        }
    }
    // A sheet that holds the page asks nothing.
    prompts.questions.clear();
    PrintRequest request = noDialog(kOfficeIndex);
    EXPECT_TRUE(print(request));
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_FLOAT_EQ(float(pages.printerScaleX), 6.0f);
}

TEST_F(PipelineTest, LandscapeTemplateTurnsTheSheet) {
    model.paper.orientation = 1;
    PrintRequest request = noDialog(kStoreIndex);
    ASSERT_TRUE(print(request));
    EXPECT_EQ(jobs->last().settings.orientation, DeviceSettings::kLandscape);
    EXPECT_EQ(jobs->last().caps.physicalWidth, 3508);
    EXPECT_TRUE(prompts.questions.isEmpty());
}

TEST_F(PipelineTest, DefaultSettingsFileServesTemplatesWithoutSettings) {
    DeviceSettings defaults;
    defaults.paperSize = 1;  // Letter
    defaults.copies = 5;
    ASSERT_TRUE(writeSettingsFile(dir.filePath("Def_Printer.drv"), defaults));
    PrintRequest request = noDialog(kStoreIndex);
    request.copies = 2;
    ASSERT_TRUE(print(request));
    EXPECT_EQ(jobs->last().settings.paperSize, 1);
    EXPECT_EQ(jobs->last().settings.copies, 2);  // the copies asked for, not the file's

    // A template with settings of its own ignores the file.
    read({R"(I,8,0,"Sklad")", R"(I,8,0,"System = NT")", R"(I,8,0,"Delka = 0")",
          R"(I,8,0,"Kopie = 1")", R"(I,8,0,"Papir = 9")", R"(I,8,0,"Orientace = Na vysku")"});
    request.copies = 0;
    ASSERT_TRUE(print(request));
    EXPECT_EQ(jobs->last().settings.paperSize, 9);
    EXPECT_EQ(jobs->last().settings.copies, 1);
}

TEST_F(PipelineTest, BusyPrinterWaitsUntilFreeOrCancelled) {
    backend->setBusy("Sklad", true);
    prompts.waitsBeforeCancel = 3;
    PrintRequest request = noDialog(kStoreIndex);
    EXPECT_FALSE(print(request));
    EXPECT_EQ(prompts.waits, 3);
    EXPECT_EQ(prompts.statuses.last(), print_messages::kWaitingForPrinter);
    EXPECT_TRUE(printed.isEmpty());
    EXPECT_TRUE(prompts.windowEnabled);

    backend->setBusy("Sklad", false);
    EXPECT_TRUE(print(request));
}

TEST_F(PipelineTest, APrinterThatCannotBeOpenedFailsWithItsMessage) {
    QList<FixturePrinter> list = fixturePrinters();
    list[kStoreIndex].invalid = true;
    backend = new FixturePrinterBackend(list);
    jobs = backend->jobs();
    printer->setBackend(std::unique_ptr<PrinterBackend>(backend));
    PrintRequest request = noDialog(kStoreIndex);
    EXPECT_FALSE(print(request));
    EXPECT_EQ(prompts.errors, QStringList{"Printer selected is not valid"});
    EXPECT_TRUE(printed.isEmpty());
}

}  // namespace

// Reports printed through a CUPS server of the test's own (support/private_cups.h)
// on three queues: dorvana-pdf (A4 and Letter only), dorvana-label (A4, label
// sizes and custom sizes) and dorvana-cab (a cab "A 3/300" label printer with
// custom sizes). The printed job is read back with pdfinfo, the media CUPS was
// asked for from its page log.

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <iostream>

#include "base/ini_file.h"
#include "base/progress.h"
#include "base/text_file.h"
#include "data/table_open.h"
#include "report/model/report_model.h"
#include "report/render/job/unattended_prompts.h"
#include "report/run/print_session.h"
#include "report/run/report_component.h"
#include "report/render/printer/cups_printer_backend.h"
#include "report/render/render_fixture.h"
#include "support/print_job_fixture.h"
#include "support/private_cups.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

const QString kQueue = test::kCupsQueue;
const QString kLabelQueue = QStringLiteral("dorvana-label");
const QString kCabQueue = QStringLiteral("dorvana-cab");
using test::findProgram;
using test::PrivateCups;

bool writeText(const QString& path, const QString& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) == text.toUtf8().size();
}

// The page count pdfinfo reads from a PDF; -1 when it cannot.
int pdfPages(const QString& path) {
    QProcess p;
    p.start("pdfinfo", {path});
    if (!p.waitForFinished(20000) || p.exitCode() != 0) return -1;
    const QRegularExpressionMatch m =
        QRegularExpression("^Pages:\\s+(\\d+)", QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The first page's size pdfinfo reads from a PDF, in whole points ("170 x
// 113"); empty when it cannot.
QString pdfPageSize(const QString& path) {
    QProcess p;
    p.start("pdfinfo", {path});
    if (!p.waitForFinished(20000) || p.exitCode() != 0) return {};
    const QRegularExpressionMatch m =
        QRegularExpression("^Page size:\\s+([0-9.]+) x ([0-9.]+) pts",
                           QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(p.readAllStandardOutput()));
    if (!m.hasMatch()) return {};
    return QStringLiteral("%1 x %2")
        .arg(std::lround(m.captured(1).toDouble()))
        .arg(std::lround(m.captured(2).toDouble()));
}

// A one-page label template: paper (0.01 in, held upright), orientation and
// the printer lines.
QStringList labelTemplate(int width, int height, int orientation = 0,
                          const QStringList& printerLines = {}) {
    QStringList lines = {R"(I,0,"Cenovka")", "I,1,1,5,1,0,0",
                         QStringLiteral("I,2,%1,%2,%3,0,0,0,0,1,0,4,4,0,1")
                             .arg(orientation)
                             .arg(width)
                             .arg(height),
                         "I,3,0,1,40,0,0"};
    lines << printerLines;
    lines << R"(Z,1,0,5,5,150,30,Arial,10,0,0,0,0,1,238,"Cena 12,50")";
    return lines;
}

// A cab printer's settings text in a template: label length 60 mm.
QStringList cabSettings(const QString& orientation) {
    return {QStringLiteral("I,8,0,\"%1\"").arg(kCabQueue), R"(I,8,0,"System = NT")",
            R"(I,8,0,"Delka = 600")", R"(I,8,0,"Kopie = 1")", R"(I,8,0,"Papir = 256")",
            QStringLiteral("I,8,0,\"Orientace = %1\"").arg(orientation)};
}

// A page-sized body per record: two records, two pages.
QStringList twoPageTemplate() {
    return {R"(I,0,"Zkouška tisku")",
            "I,1,1,5,1,0,0",
            "I,2,0,826,1169,50,50,70,70,1,0,4,4,0,1",
            "I,3,2,1,700,0,0",
            QStringLiteral("I,8,0,\"%1\"").arg(kQueue),
            R"(I,8,0,"Bcodeintrp=0")",
            R"(T,1,0,20,20,400,40,Arial,20,0,0,0,0,1,238,"Záznam")",
            "T,2,0,20,80,400,40,Arial,20,0,0,0,0,1,238"};
}

// One server for the whole program: the CUPS client library keeps its
// connection to the server it found first.
class CupsPrint : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (cups) return;
        cups = new PrivateCups;
        why = new QString(cups->start());
        if (why->isEmpty()) *why = cups->addQueue(kLabelQueue, "label-file.ppd");
        if (why->isEmpty()) *why = cups->addQueue(kCabQueue, "cab-file.ppd");
    }
    // The server stays for the suites after this one; it stops with the program.
    static void TearDownTestSuite() {}

public:
    static void StopServer() {
        delete cups;
        delete why;
        cups = nullptr;
        why = nullptr;
    }
    void SetUp() override {
        if (!why->isEmpty()) GTEST_SKIP() << "no private CUPS server: " << why->toStdString();
    }

    static PrivateCups* cups;
    static QString* why;
};

PrivateCups* CupsPrint::cups = nullptr;
QString* CupsPrint::why = nullptr;

class StopCupsServer : public ::testing::Environment {
public:
    void TearDown() override { CupsPrint::StopServer(); }
};
[[maybe_unused]] ::testing::Environment* const stopCupsServer =
    ::testing::AddGlobalTestEnvironment(new StopCupsServer);

TEST_F(CupsPrint, TwoPageReportReachesTheQueueAsTwoPages) {
    if (findProgram("pdfinfo").isEmpty())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";

    QTemporaryDir work;
    const QString csv = work.filePath("cisla.csv");
    ASSERT_TRUE(writeText(csv, "cislo\r\n101\r\n102\r\n"));
    QString error;
    std::unique_ptr<DataSet> table = openAnyTable(csv, &error);
    ASSERT_TRUE(table) << error.toStdString();

    Printer printer(std::make_unique<CupsPrinterBackend>());
    ASSERT_TRUE(printer.printers().contains(kQueue))
        << printer.printers().join(u", ").toStdString();

    ReportDataSource source{table.get()};
    TSestava component;
    component.DataSource = &source;
    component.inMemoryTemplate = twoPageTemplate();
    component.ReportPrintDialog = false;
    const QString profile = work.filePath("win.ini");
    {
        PrintSession session(component, printer, profile);
        ASSERT_TRUE(session.load(&error)) << error.toStdString();
        const int index = session.findPrinter(kQueue, &error);
        ASSERT_GE(index, 0) << error.toStdString();
        EXPECT_FALSE(session.job().run().barcodeByPrinter);
        // The template's profile lines are in while the report prints.
        IniFile ini;
        ASSERT_TRUE(ini.load(profile));
        ASSERT_EQ(ini.sections().size(), 1);
        EXPECT_TRUE(ini.sections()[0].startsWith(kQueue + QStringLiteral(",file://")));

        NoProgress progress;
        ASSERT_TRUE(session.build(progress));
        ASSERT_EQ(session.pages().pageCount(), 2);
        UnattendedPrintPrompts prompts;
        PrintRequest request = session.request();
        request.printerIndex = index;
        request.title = "Zkouška tisku";
        request.previewMode = true;
        ASSERT_TRUE(session.print(request, prompts, &progress, &error))
            << error.toStdString() << prompts.message.toStdString();
        EXPECT_FALSE(session.scaledToPaper());
    }
    // Afterwards the profile holds nothing the template brought.
    IniFile after;
    ASSERT_TRUE(after.load(profile));
    EXPECT_TRUE(after.sections().isEmpty()) << after.lines().join(u'\n').toStdString();

    QDeadlineTimer deadline(60000);
    int pages = -1;
    while (!deadline.hasExpired() && (pages = pdfPages(cups->output())) != 2) QThread::msleep(250);
    EXPECT_EQ(pages, 2) << cups->log().toStdString();
}

TEST_F(CupsPrint, APrinterTheTemplateDoesNotChooseIsRefused) {
    const QFileInfo before(cups->output());
    const auto stamp = [](const QFileInfo& f) {
        return f.exists() ? QString::number(f.size()) + f.lastModified().toString(Qt::ISODateWithMs)
                          : QString();
    };
    Printer printer(std::make_unique<CupsPrinterBackend>());
    QStringList lines = twoPageTemplate();
    lines[4] = R"(I,8,0,"Zebra ZD420")";
    TSestava component;
    component.inMemoryTemplate = lines;
    component.ReportPrintDialog = false;
    QTemporaryDir work;
    PrintSession session(component, printer, work.filePath("win.ini"));
    QString error;
    ASSERT_TRUE(session.load(&error)) << error.toStdString();
    EXPECT_EQ(session.findPrinter("nic-takového", &error), -1);
    EXPECT_EQ(error, "Tiskárna \"nic-takového\" není nainstalována.");
    const int index = session.findPrinter(kQueue, &error);
    ASSERT_GE(index, 0) << error.toStdString();
    NoProgress progress;
    session.build(progress);
    UnattendedPrintPrompts prompts;
    PrintRequest request = session.request();
    request.printerIndex = index;
    request.previewMode = true;
    EXPECT_FALSE(session.print(request, prompts, &progress, &error));
    error = prompts.message;
    EXPECT_TRUE(error.contains(u"\" Zebra ZD420 \", která není v systému (CUPS) nainstalována."))
        << error.toStdString();
    EXPECT_EQ(stamp(QFileInfo(cups->output())), stamp(before));  // no job went out
}

// What became of one print: the job's page, its line in the page log, and
// what the print dialog said of the paper.
struct PrintedJob {
    QString pageSize;
    QString pageLogLine;
    QString paperNote;
    bool textAcross = false;  // the label's text runs across the sheet (not turned)
};

// The paper tests use the same server (the CUPS client library stays with
// the first server it found).
class CupsPaper : public CupsPrint {
protected:

    void SetUp() override {
        CupsPrint::SetUp();
        if (!IsSkipped() && findProgram("pdfinfo").isEmpty())
            GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    }

    // Prints a template on a queue through the print dialog (answered as
    // shown) under a job title of its own, and waits for the job.
    PrintedJob print(const QString& queue, const QStringList& lines, const QString& title) {
        PrintedJob printed;
        Printer printer(std::make_unique<CupsPrinterBackend>());
        TSestava component;
        component.inMemoryTemplate = lines;
        component.Popis = title;
        QTemporaryDir work;
        PrintSession session(component, printer, work.filePath("win.ini"));
        QString error;
        if (!session.load(&error)) {
            ADD_FAILURE() << error.toStdString();
            return printed;
        }
        const int index = session.findPrinter(queue, &error);
        if (index < 0) {
            ADD_FAILURE() << error.toStdString();
            return printed;
        }
        NoProgress progress;
        session.build(progress);
        test::ScriptedPrompts prompts;
        PrintRequest request = session.request();
        request.printerIndex = index;
        if (!session.print(request, prompts, &progress, &error)) {
            ADD_FAILURE() << error.toStdString() << prompts.errors.join(u'\n').toStdString();
            return printed;
        }
        if (!prompts.paperNotes.isEmpty()) printed.paperNote = prompts.paperNotes[0];
        QDeadlineTimer deadline(60000);
        while (!deadline.hasExpired() && printed.pageLogLine.isEmpty()) {
            for (const QString& line : cups->pageLog())
                if (line.contains(u' ' + title + u' ')) printed.pageLogLine = line;
            if (printed.pageLogLine.isEmpty()) QThread::msleep(250);
        }
        EXPECT_FALSE(printed.pageLogLine.isEmpty()) << cups->log().toStdString();
        const QString pdf = queue == kQueue ? cups->output() : cups->output(queue);
        printed.pageSize = pdfPageSize(pdf);
        // The one line of text: wider than high unless the page is turned on the sheet.
        const QRect ink = test::inkBox(test::pdfPage(pdf, 1, 150));
        EXPECT_FALSE(ink.isEmpty()) << "nothing printed on " << title.toStdString();
        printed.textAcross = ink.width() > ink.height();
        if (!qEnvironmentVariableIsEmpty("DORVANA_KEEP_JOBS"))
            QFile::copy(pdf, QDir(qEnvironmentVariable("DORVANA_KEEP_JOBS")).filePath(title + ".pdf"));
        std::cout << queue.toStdString() << ": page " << printed.pageSize.toStdString()
                  << " pt; page_log: " << printed.pageLogLine.toStdString() << "\n";
        return printed;
    }
};

// The media CUPS was asked for: the page log's second field from the end.
QString media(const QString& pageLogLine) {
    const QStringList fields = pageLogLine.split(u' ', Qt::SkipEmptyParts);
    return fields.size() >= 2 ? fields[fields.size() - 2] : QString();
}

TEST_F(CupsPaper, ALabelGoesOutOnTheQueuesPageSizeOfItsPaper) {
    // 236 x 157 = the sample price label's 60 x 40 mm.
    const PrintedJob job = print(kLabelQueue, labelTemplate(236, 157), "Cenovka-60x40");
    EXPECT_EQ(job.pageSize, "170 x 113");
    EXPECT_EQ(media(job.pageLogLine), "w170h113");
    EXPECT_EQ(job.paperNote, "");
    EXPECT_TRUE(job.textAcross);
}

TEST_F(CupsPaper, ALabelTheQueueHasNoSizeForGoesOutOnACustomSize) {
    const PrintedJob job = print(kLabelQueue, labelTemplate(197, 118), "Stitek-50x30");
    EXPECT_EQ(job.pageSize, "141 x 85");  // 50 x 30 mm
    EXPECT_EQ(media(job.pageLogLine), "Custom.50x30mm");
}

TEST_F(CupsPaper, AQueueWithoutSuchPaperPrintsOnItsDefaultAndTheDialogSaysSo) {
    const PrintedJob job = print(kQueue, labelTemplate(236, 157), "Cenovka-na-A4");
    EXPECT_EQ(job.pageSize, "595 x 842");
    EXPECT_EQ(media(job.pageLogLine), "A4");
    EXPECT_EQ(job.paperNote, "Papír tiskárny: A4 — předloha má 60 x 40 mm");
}

TEST_F(CupsPaper, AReportOnA4StaysOnA4) {
    const PrintedJob job = print(kLabelQueue, labelTemplate(826, 1169), "Sestava-A4");
    EXPECT_EQ(job.pageSize, "595 x 842");
    EXPECT_EQ(media(job.pageLogLine), "A4");
    EXPECT_TRUE(job.textAcross);
    // Landscape: the same sheet, the page turned on it.
    const PrintedJob turned = print(kLabelQueue, labelTemplate(826, 1169, 1), "Sestava-A4-sirka");
    EXPECT_EQ(turned.pageSize, "595 x 842");
    EXPECT_EQ(media(turned.pageLogLine), "A4");
    EXPECT_FALSE(turned.textAcross);
}

// A template with a cab printer's settings: the label's width is the
// template's paper, its length the settings'; "Na sirku" turns the page on
// the label as the driver would.
TEST_F(CupsPaper, ThermalSettingsPrintTheLabelAtItsSizeInBothOrientations) {
    const PrintedJob upright =
        print(kCabQueue, labelTemplate(394, 236, 0, cabSettings("Na vysku")), "Cab-na-vysku");
    EXPECT_EQ(upright.pageSize, "283 x 170");
    EXPECT_EQ(media(upright.pageLogLine), "Custom.100x60mm");
    EXPECT_TRUE(upright.textAcross);
    const PrintedJob across =
        print(kCabQueue, labelTemplate(394, 236, 1, cabSettings("Na sirku")), "Cab-na-sirku");
    EXPECT_EQ(across.pageSize, "283 x 170");
    EXPECT_EQ(media(across.pageLogLine), "Custom.100x60mm");
    EXPECT_FALSE(across.textAcross);
}

}  // namespace

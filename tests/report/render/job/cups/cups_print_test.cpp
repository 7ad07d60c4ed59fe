// A report printed through a CUPS server of the test's own (support/private_cups.h);
// the printed job is read back with pdfinfo.

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

#include "base/ini_file.h"
#include "base/text_file.h"
#include "data/table_open.h"
#include "report/model/report_model.h"
#include "report/render/job/headless_print.h"
#include "report/render/printer/cups_printer_backend.h"
#include "support/private_cups.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

const QString kQueue = test::kCupsQueue;
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

// One server for the whole suite: the CUPS client library keeps its
// connection to the server it found first.
class CupsPrint : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        cups = new PrivateCups;
        why = new QString(cups->start());
    }
    static void TearDownTestSuite() {
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

    ReportRun run;
    run.setDataSet(table.get());
    run.loadTemplate(twoPageTemplate());
    const QString profile = work.filePath("win.ini");
    {
        HeadlessPrint print(run, printer, profile);
        ASSERT_TRUE(print.prepare(kQueue, &error)) << error.toStdString();
        EXPECT_FALSE(run.barcodeByPrinter);
        // The template's profile lines are in while the report prints.
        IniFile ini;
        ASSERT_TRUE(ini.load(profile));
        ASSERT_EQ(ini.sections().size(), 1);
        EXPECT_TRUE(ini.sections()[0].startsWith(kQueue + QStringLiteral(",file://")));

        NoProgress progress;
        ASSERT_TRUE(run.build(progress));
        ASSERT_EQ(run.pages().pageCount(), 2);
        HeadlessPrintOptions options;
        options.title = "Zkouška tisku";
        ASSERT_TRUE(print.print(options, &error)) << error.toStdString();
        EXPECT_FALSE(print.scaledToPaper());
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
    ReportRun run;
    QStringList lines = twoPageTemplate();
    lines[4] = R"(I,8,0,"Zebra ZD420")";
    run.loadTemplate(lines);
    QTemporaryDir work;
    HeadlessPrint print(run, printer, work.filePath("win.ini"));
    QString error;
    EXPECT_FALSE(print.prepare("nic-takového", &error));
    EXPECT_EQ(error, "Tiskárna \"nic-takového\" není nainstalována.");
    ASSERT_TRUE(print.prepare(kQueue, &error)) << error.toStdString();
    NoProgress progress;
    run.build(progress);
    EXPECT_FALSE(print.print({}, &error));
    EXPECT_TRUE(error.contains(u"\" Zebra ZD420 \", která není ve Windows nainstalována."))
        << error.toStdString();
    EXPECT_EQ(stamp(QFileInfo(cups->output())), stamp(before));  // no job went out
}

}  // namespace

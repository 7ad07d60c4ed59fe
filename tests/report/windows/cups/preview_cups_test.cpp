// A correction made in the preview reaches paper: the preview prints through
// a CUPS server of the test's own into a file queue, and the printed PDF
// carries the corrected text.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QToolButton>

#include "data/data_set.h"
#include "data/table_open.h"
#include "report/render/printer/cups_printer_backend.h"
#include "report/render/printer/printer.h"
#include "report/run/report_component.h"
#include "report/windows/run_window.h"
#include "report/render/render_fixture.h"
#include "support/private_cups.h"
#include "support/scripted_messages.h"
#include "support/test_support.h"

using namespace dorvana;

TEST(PreviewCups, TheCorrectedTextIsPrinted) {
    test::PrivateCups cups;
    const QString why = cups.start();
    if (!why.isEmpty()) GTEST_SKIP() << "no private CUPS server: " << why.toStdString();
    if (test::findProgram("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";

    QString error;
    auto data = openAnyTable(test::sourcePath("samples/data/zbozi.csv"), &error);
    ASSERT_TRUE(data) << error.toStdString();
    ReportDataSource source{data.get()};
    TSestava component;
    component.DataSource = &source;
    component.ReportDirIgnore = false;
    component.setReportDir(test::sourcePath("samples/templates"));
    component.ReportName = "etiketa.pte";
    component.EndPage = 2;
    QTemporaryDir dir;
    component.setOpravyDir(dir.path());
    component.OpravyName = "opravy.txt";
    test::ScriptedMessages messages;
    Printer printer(std::make_unique<CupsPrinterBackend>());
    ASSERT_TRUE(printer.printers().contains(test::kCupsQueue));

    TFormSestE_NOR window(component, messages, printer);
    window.setProfilePath(dir.filePath("win.ini"));
    ASSERT_TRUE(window.loadTemplate());
    window.buildPages();
    window.enterPreviewMode();
    window.show();
    window.document().setEditMode(true);
    window.document().select(1);
    ASSERT_TRUE(window.document().applyFields({"12", "10", "212", "22", "Sleva 20 %", {}}));
    window.printDialogOverride = [&](PrintDialogValues& v) {
        v.printerIndex = int(printer.printers().indexOf(test::kCupsQueue));
        return true;
    };
    QTest::mouseClick(window.findChild<QToolButton*>("SBPrevTisk"), Qt::LeftButton);
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('\n').toStdString();

    QDeadlineTimer deadline(60000);
    QString text;
    while (!deadline.hasExpired()) {
        if (QFileInfo(cups.output()).size() > 0 && (text = test::pdfText(cups.output())).contains("Sleva"))
            break;
        QThread::msleep(250);
    }
    EXPECT_TRUE(text.contains("Sleva 20 %")) << text.toStdString() << cups.log().toStdString();
    window.close();
}

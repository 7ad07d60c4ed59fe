// A report of two marked records printed from the main window's print bar
// through a CUPS server of the test's own into a file queue: the printed PDF
// holds those records and no others.
#include <gtest/gtest.h>

#include <QAction>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "app/main_form.h"
#include "app/main_form_printing.h"
#include "app/print_bar.h"
#include "controls/marking_grid.h"
#include "data/label_file.h"
#include "report/render/printer/cups_printer_backend.h"
#include "report/render/printer/printer.h"
#include "report/render/render_fixture.h"
#include "report/windows/run_window.h"
#include "report/windows/template_combo.h"
#include "support/private_cups.h"
#include "support/scripted_messages.h"
#include "support/test_support.h"

using namespace dorvana;

TEST(PrintBarCups, AReportOfTheMarkedRecordsReachesPaper) {
    test::PrivateCups cups;
    const QString why = cups.start();
    if (!why.isEmpty()) GTEST_SKIP() << "no private CUPS server: " << why.toStdString();
    if (test::findProgram("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";

    QTemporaryDir dir;
    const QString start = dir.filePath("start");
    QDir().mkpath(start + "/data");
    ASSERT_TRUE(QFile::copy(test::sourcePath("samples/templates/cenik.pts"), start + "/cenik.pts"));
    const QString labels = start + "/data/etikety.db";
    QString err;
    ASSERT_TRUE(createLabelFile(labels, &err));
    {
        auto store = LabelFileStore::open(labels, &err);
        QList<RawRecord> rows;
        const char* names[] = {"Brambory", "Vánočka", "Mrkev", "Hřebík", "Sýr eidam"};
        for (int i = 0; i < 5; ++i) {
            RawRecord r(16);
            r[0] = QVariant::fromValue<qint64>(10 * (i + 1));
            r[1] = QString::fromUtf8(names[i]);
            r[6] = 10.0 + i;
            r[7] = QStringLiteral("Zboží");
            rows << r;
        }
        ASSERT_TRUE(store->insertMany(rows, &err));
    }

    test::ScriptedMessages messages;
    Printer printer(std::make_unique<CupsPrinterBackend>());
    const int queue = int(printer.printers().indexOf(test::kCupsQueue));
    ASSERT_GE(queue, 0);
    TMainForm form(start, dir.filePath("dorvana.ini"), &messages);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.restoreOnce();
    ASSERT_TRUE(form.openFile(1, labels));
    PrintBar& bar = form.findChild<MainFormPrinting*>()->printBar();
    bar.host.printer = &printer;
    bar.host.printDialog = [queue](PrintDialogValues& v) {
        v.printerIndex = queue;
        return true;
    };
    form.action("PrintEti")->trigger();
    form.action("PrintSes")->trigger();
    bar.templateList()->setReportName("cenik.pts");
    form.grid()->toggleValue(4);
    form.grid()->toggleValue(2);
    form.action("TiskSestavy")->trigger();
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('\n').toStdString();

    QDeadlineTimer deadline(60000);
    QString text;
    while (!deadline.hasExpired()) {
        if (QFileInfo(cups.output()).size() > 0 && (text = test::pdfText(cups.output())).contains("Hřebík"))
            break;
        QThread::msleep(250);
    }
    EXPECT_TRUE(text.contains("Vánočka")) << text.toStdString() << cups.log().toStdString();
    EXPECT_TRUE(text.contains("Hřebík")) << text.toStdString();
    for (const char* other : {"Brambory", "Mrkev", "Sýr eidam"})
        EXPECT_FALSE(text.contains(QString::fromUtf8(other))) << other;
}

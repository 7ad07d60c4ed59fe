// Printing page ranges on a printer of the fixture print system.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "render_fixture.h"
#include "report/render/print_pages.h"
#include "support/fixture_printer_backend.h"
#include "support/test_support.h"

using namespace dorvana;
using namespace dorvana::test;

namespace {

// A 300 dpi printer whose printable area starts 30 / 60 pixels into the sheet.
FixturePrinter labelPrinter() {
    FixturePrinter p;
    p.entry = {QStringLiteral("Kancelář"), QStringLiteral("HP LaserJet 4"),
               QStringLiteral("socket://10.0.0.5")};
    p.isDefault = true;
    p.resolutionX = p.resolutionY = 300;
    p.paperWidth = 2478;
    p.paperHeight = 3507;
    p.offsetX = 30;
    p.offsetY = 60;
    p.printableWidth = 2478 - 60;
    p.printableHeight = 3507 - 120;
    return p;
}

struct Fixture {
    std::shared_ptr<QList<RecordedJob>> jobs;
    std::unique_ptr<Printer> printer;
    explicit Fixture(FixturePrinter p = labelPrinter()) {
        auto backend = std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{p});
        jobs = backend->jobs();
        printer = std::make_unique<Printer>(std::move(backend));
    }
};

// n pages, each with a 0.2 in square at the printable corner and "Strana <n>".
PageStore pagesOf(int n) {
    PageStore store;
    store.paper.width = 826;
    store.paper.height = 1169;
    store.paper.leftMargin = 50;
    store.paper.topMargin = 50;
    store.printerScaleX = store.printerScaleY = 3.0;
    for (int i = 0; i < n; ++i) {
        store.addElement(i, makeElement(8, 0, 0, 20, 20));
        store.addElement(i, makeText(100, 100, 300, 30, QStringLiteral("Strana %1").arg(i + 1)));
    }
    return store;
}

QString jobText(const RecordedJob& job) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("job.pdf"));
    writeBytes(path, job.pdf);
    return pdfText(path);
}

}  // namespace

TEST(PrintPages, RangeIsClampedToThePagesThereAre) {
    Fixture f;
    QString error;
    ASSERT_TRUE(printPages(*f.printer, pagesOf(6), 5, 9, nullptr, QStringLiteral("Etikety"), 1,
                           &error))
        << error.toStdString();
    ASSERT_EQ(f.jobs->size(), 1);
    const RecordedJob& job = f.jobs->first();
    EXPECT_EQ(job.title, QStringLiteral("Etikety"));
    EXPECT_EQ(job.pages, 2);
    EXPECT_TRUE(job.finished);
    EXPECT_FALSE(job.aborted);
    const QString text = jobText(job);
    EXPECT_TRUE(text.contains(QStringLiteral("Strana 5")));
    EXPECT_TRUE(text.contains(QStringLiteral("Strana 6")));
    EXPECT_FALSE(text.contains(QStringLiteral("Strana 4")));

    // Page 0 counts as 1.
    ASSERT_TRUE(printPages(*f.printer, pagesOf(6), 0, 2, nullptr, QString(), 1));
    EXPECT_EQ(f.jobs->at(1).pages, 2);
    EXPECT_TRUE(jobText(f.jobs->at(1)).contains(QStringLiteral("Strana 1")));
}

TEST(PrintPages, NothingToPrintIsNoJobAndSuccess) {
    Fixture f;
    EXPECT_TRUE(printPages(*f.printer, PageStore(), 1, 5, nullptr, QString(), 1));
    EXPECT_TRUE(printPages(*f.printer, pagesOf(3), 1, 3, nullptr, QString(), 0));
    EXPECT_TRUE(printPages(*f.printer, pagesOf(3), 4, 9, nullptr, QString(), 1));
    EXPECT_TRUE(f.jobs->isEmpty());
}

TEST(PrintPages, EachCopyIsAJob) {
    Fixture f;
    ASSERT_TRUE(printPages(*f.printer, pagesOf(3), 2, 3, nullptr, QStringLiteral("x"), 2));
    ASSERT_EQ(f.jobs->size(), 2);
    for (const RecordedJob& job : *f.jobs) {
        EXPECT_EQ(job.pages, 2);
        EXPECT_TRUE(job.finished);
    }
}

TEST(PrintPages, MarginsLessTheUnprintableBorderPlaceThePage) {
    Fixture f;
    ASSERT_TRUE(printPages(*f.printer, pagesOf(1), 1, 1, nullptr, QString(), 1));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("job.pdf"));
    ASSERT_TRUE(writeBytes(path, f.jobs->first().pdf));
    // On the sheet the square sits at the margins: 0.5 in from the left and the top.
    const QImage sheet = pdfPage(path, 1, 100);
    ASSERT_FALSE(sheet.isNull());
    // (The fixture's PDF keeps the border in points: allow a pixel.)
    const QRect square = inkBox(sheet.copy(0, 0, 100, 100));
    EXPECT_NEAR(square.left(), 50, 1);
    EXPECT_NEAR(square.top(), 50, 1);
    EXPECT_NEAR(square.width(), 20, 1);
    EXPECT_NEAR(square.height(), 20, 1);
}

TEST(PrintPages, DrawingFiguresComeFromThePrinterAndTheStore) {
    Fixture f;
    PageStore store = pagesOf(1);
    store.printerScaleX = store.printerScaleY = 2.7;  // fitted to a smaller sheet
    const DrawContext c = printerDrawContext(*f.printer, store);
    EXPECT_EQ(c.ox, 50 - 30 * 100 / 300);
    EXPECT_EQ(c.oy, 50 - 60 * 100 / 300);
    EXPECT_DOUBLE_EQ(c.sx, 2.7);
    EXPECT_DOUBLE_EQ(c.sy, 2.7);
    EXPECT_NEAR(c.fontScale, 0.9, 1e-9);
    EXPECT_DOUBLE_EQ(c.barcodeScale, 1.0);
    EXPECT_FALSE(c.screen);  // screen fonts are not used on the printer
}

TEST(PrintPages, CancelAbortsTheJobAndFails) {
    Fixture f;
    CancelAfter cancel(4);  // at the first element of the second page
    QString error;
    EXPECT_FALSE(printPages(*f.printer, pagesOf(4), 1, 4, &cancel, QString(), 2, &error));
    EXPECT_EQ(error, QStringLiteral("Tisk byl přerušen."));
    ASSERT_EQ(f.jobs->size(), 1);  // no further copy
    EXPECT_TRUE(f.jobs->first().aborted);
    EXPECT_FALSE(f.jobs->first().finished);
    EXPECT_EQ(f.jobs->first().pages, 2);
}

TEST(PrintPages, APrinterThatCannotStartAJobFails) {
    FixturePrinter broken = labelPrinter();
    broken.invalid = true;
    Fixture f(broken);
    QString error;
    EXPECT_FALSE(printPages(*f.printer, pagesOf(1), 1, 1, nullptr, QString(), 1, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(f.jobs->isEmpty());
}

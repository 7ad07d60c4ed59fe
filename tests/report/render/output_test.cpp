// PDF and PNG files of printed pages.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "render_fixture.h"
#include "support/test_support.h"
#include "report/render/page_output.h"

using namespace dorvana;
using namespace dorvana::test;

namespace {

// Two A4 pages with 0.5 in / 1 in margins: a filled square at the printable
// area's corner and a text on each.
PageStore twoPages() {
    PageStore store;
    store.paper.width = 826;
    store.paper.height = 1169;
    store.paper.leftMargin = 50;
    store.paper.topMargin = 100;
    for (int n = 0; n < 2; ++n) {
        store.addElement(n, makeElement(8, 0, 0, 20, 20));
        store.addElement(n, makeText(100, 100, 400, 40,
                                     QStringLiteral("Příliš žluťoučký kůň %1").arg(n + 1), 12));
    }
    return store;
}

}  // namespace

TEST(PdfOutput, OnePageAPageAtThePapersSizeWithVectorText) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.pdf"));
    QString error;
    ASSERT_TRUE(writePdf(twoPages(), path, &error)) << error.toStdString();
    // 8.26 x 11.69 in; the PDF's page box is in whole points.
    EXPECT_EQ(pdfInfo(path), QStringLiteral("Pages: 2\nPage size: 595 x 842 pts (A4)"));
    const QString text = pdfText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("Příliš žluťoučký kůň 1"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Příliš žluťoučký kůň 2")));

    // The margins are the offsets: the square starts 0.5 in from the left, 1 in from the top.
    const QImage page = pdfPage(path, 2, 100);
    ASSERT_LE(std::abs(page.width() - 826), 1);
    ASSERT_LE(std::abs(page.height() - 1169), 1);
    EXPECT_TRUE(dark(page, 51, 101));
    EXPECT_TRUE(dark(page, 68, 118));
    EXPECT_FALSE(dark(page, 48, 110));
    EXPECT_FALSE(dark(page, 60, 98));
}

TEST(PdfOutput, LandscapePaperGivesALandscapePage) {
    PageStore store = twoPages();
    store.paper.width = 1169;
    store.paper.height = 826;
    store.paper.orientation = 1;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wide.pdf"));
    ASSERT_TRUE(writePdf(store, path));
    EXPECT_EQ(pdfInfo(path), QStringLiteral("Pages: 2\nPage size: 842 x 595 pts (A4)"));
}

TEST(PdfOutput, FailuresLeaveAnEarlierFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.pdf"));
    ASSERT_TRUE(writeBytes(path, "earlier"));
    QString error;
    CancelAfter cancel(1);
    EXPECT_FALSE(writePdf(twoPages(), path, &error, &cancel));
    EXPECT_EQ(error, QStringLiteral("Výstup byl přerušen."));
    EXPECT_EQ(fileBytes(path), QByteArray("earlier"));

    EXPECT_FALSE(writePdf(PageStore(), path, &error));
    EXPECT_EQ(error, QStringLiteral("Sestava nemá žádnou stranu."));
    EXPECT_EQ(fileBytes(path), QByteArray("earlier"));

    const QString nowhere = dir.filePath(QStringLiteral("missing/out.pdf"));
    EXPECT_FALSE(writePdf(twoPages(), nowhere, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Soubor %1 nelze zapsat: ").arg(nowhere)))
        << error.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.pdf")});
}

TEST(PngOutput, OneImageAPageOnWhite) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("OUT.png"));
    QStringList written;
    QString error;
    ASSERT_TRUE(writePngs(twoPages(), out, 200, &error, &written)) << error.toStdString();
    EXPECT_EQ(written, (QStringList{dir.filePath(QStringLiteral("OUT-1.png")),
                                    dir.filePath(QStringLiteral("OUT-2.png"))}));
    EXPECT_FALSE(QFile::exists(out));
    const QImage page(written[1]);
    ASSERT_EQ(page.size(), QSize(1652, 2338));
    EXPECT_EQ(page.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
    // The square: (50, 100) .. (70, 120) units at 2 pixels a unit.
    EXPECT_EQ(inkBox(page.copy(0, 0, 400, 400)), QRect(100, 200, 40, 40));
    // The text lies in its box, (150, 200) + (400 x 40) units.
    const QRect text = inkBox(page.copy(250, 320, 1000, 200));
    EXPECT_FALSE(text.isEmpty());
    EXPECT_GE(text.left(), 50);
    EXPECT_GE(text.top() + 320, 400);
    EXPECT_LE(text.bottom() + 320, 400 + 80);

    EXPECT_EQ(pngPagePath(QStringLiteral("/x/labels"), 3), QStringLiteral("/x/labels-3.png"));
    EXPECT_FALSE(writePngs(twoPages(), out, 0, &error));
    EXPECT_FALSE(writePngs(twoPages(), out, 2401, &error));
    EXPECT_FALSE(writePngs(PageStore(), out, 100, &error));
}

TEST(PdfOutput, HatchedFillKeepsItsSpacingInUnits) {
    // A horizontally hatched rectangle: the same rows of lines in the PDF at
    // 1200 dpi as in a PNG at 100 dpi.
    PageStore store;
    store.paper.width = 300;
    store.paper.height = 300;
    TPrevPrvek box = makeElement(8, 50, 50, 100, 100);
    box.editStyle().fillStyle = 2;
    store.addElement(0, box);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("hatch.pdf"));
    ASSERT_TRUE(writePdf(store, pdf));
    QStringList pngs;
    ASSERT_TRUE(writePngs(store, dir.filePath(QStringLiteral("hatch.png")), 100, nullptr, &pngs));
    auto inkRows = [](const QImage& image) {
        int rows = 0;
        for (int y = 55; y < 145; ++y) rows += dark(image, 100, y) ? 1 : 0;
        return rows;
    };
    const int fromPng = inkRows(QImage(pngs.first()));
    const int fromPdf = inkRows(pdfPage(pdf, 1, 100));
    EXPECT_GT(fromPng, 5);
    EXPECT_LT(fromPng, 45);  // lines, not a solid fill
    EXPECT_NEAR(fromPdf, fromPng, 3);
}

namespace {

// Records the texts of the steps; cancels once the given page was written.
struct StopAfterPage : Progress {
    explicit StopAfterPage(int page) : page(page) {}
    void step(int done, int, const QString& text) override {
        texts << text;
        last = done;
    }
    bool cancelled() override { return page > 0 && last >= page; }
    int page, last = 0;
    QStringList texts;
};

PageStore pagesOf(int count) {
    PageStore store = twoPages();
    for (int n = 2; n < count; ++n) store.addElement(n, makeElement(8, 0, 0, 20, 20));
    return store;
}

}  // namespace

TEST(PngOutput, APageSetIsReplacedWholeOrNotAtAll) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("OUT.png"));
    const QStringList four{"OUT-1.png", "OUT-2.png", "OUT-3.png", "OUT-4.png"};
    ASSERT_TRUE(writePngs(pagesOf(4), out, 20));
    ASSERT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), four);
    const QByteArray firstPage = fileBytes(dir.filePath(four[0]));

    // Stopped after the first of two pages: the earlier set stays as it was
    // and no part of the new one is left behind.
    StopAfterPage stop(1);
    QString error;
    EXPECT_FALSE(writePngs(pagesOf(2), out, 30, &error, nullptr, &stop));
    EXPECT_EQ(error, QStringLiteral("Výstup byl přerušen."));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), four);
    EXPECT_EQ(fileBytes(dir.filePath(four[0])), firstPage);
    EXPECT_EQ(stop.texts.last(), QStringLiteral("Zápis PNG: strana 1 z 2"));

    // A shorter run replaces the set: the earlier run's pages 3 and 4 go.
    StopAfterPage watch(0);
    ASSERT_TRUE(writePngs(pagesOf(2), out, 30, &error, nullptr, &watch)) << error.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), four.mid(0, 2));
    EXPECT_EQ(QImage(dir.filePath(four[0])).width(), 248);
    EXPECT_EQ(watch.texts.last(), QStringLiteral("Zápis PNG: strana 2 z 2"));
}

TEST(PdfOutput, SaysWhichPageItWrites) {
    QTemporaryDir dir;
    StopAfterPage watch(0);
    ASSERT_TRUE(writePdf(twoPages(), dir.filePath(QStringLiteral("a.pdf")), nullptr, &watch));
    EXPECT_TRUE(watch.texts.contains(QStringLiteral("Zápis PDF: strana 1 z 2")));
    EXPECT_EQ(watch.texts.last(), QStringLiteral("Zápis PDF: strana 2 z 2"));
}

TEST(PageOutput, APaperWithoutSizeIsSaidSoAndWritesNothing) {
    QTemporaryDir dir;
    const struct { int width, height; } cases[] = {{0, 1169}, {826, -5}, {-1, 0}};
    for (const auto& c : cases) {
        PageStore store = twoPages();
        store.paper.width = c.width;
        store.paper.height = c.height;
        const QString expected = QStringLiteral("Neplatný rozměr papíru %1 x %2 setin palce.")
                                     .arg(c.width)
                                     .arg(c.height);
        QString error;
        EXPECT_FALSE(writePdf(store, dir.filePath(QStringLiteral("a.pdf")), &error));
        EXPECT_EQ(error, expected);
        error.clear();
        EXPECT_FALSE(writePngs(store, dir.filePath(QStringLiteral("a.png")), 100, &error));
        EXPECT_EQ(error, expected);
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

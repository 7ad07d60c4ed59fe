// Drawing with the cache that the pages of one output share gives the same
// pixels and the same text as drawing every page afresh.

#include <gtest/gtest.h>

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <functional>

#include "render_fixture.h"
#include "report/render/draw_page.h"

using namespace dorvana;
using namespace dorvana::test;

namespace {

// One page of texts of every kind the text rule draws, twice over, so that
// the second page reuses every text (and the first page some).
PageStore textPages() {
    PageStore store;
    store.paper.width = 500;
    store.paper.height = 400;
    store.paper.leftMargin = 10;
    store.paper.topMargin = 20;
    for (int n = 0; n < 2; ++n) {
        auto add = [&](TPrevPrvek e) { store.addElement(n, e); };
        add(makeText(0, 0, 200, 30, QStringLiteral("Mléko polotučné 1 l"), 12));
        add(makeText(0, 30, 200, 30, QStringLiteral("Mléko polotučné 1 l"), 12, 1));   // right
        add(makeText(0, 60, 200, 30, QStringLiteral("129,90 Kč"), 16, 2));             // centred
        add(makeText(0, 90, 90, 30, QStringLiteral("Příliš žluťoučký kůň úpěl"), 12));  // cut
        add(makeText(0, 120, 200, 60, QStringLiteral("První řádek\r\nDruhý řádek "), 10));
        add(makeText(220, 0, 30, 150, QStringLiteral("Otočený text"), 10, 0, 1));
        add(makeText(260, 0, 30, 150, QStringLiteral("Otočený text"), 10, 2, 3));
        add(makeText(300, 0, 150, 30, QStringLiteral("vlevo\tza tabulátorem"), 10));
        TPrevPrvek bold = makeText(300, 30, 150, 30, QStringLiteral("Tučně a kurzívou"), 11);
        bold.editStyle().font.style = 3;
        add(bold);
        TPrevPrvek underlined = makeText(300, 60, 150, 30, QStringLiteral("Podtržený"), 11);
        underlined.editStyle().font.style = 4 | 8;
        add(underlined);
        TPrevPrvek serif = makeText(300, 90, 150, 30, QStringLiteral("Mléko polotučné 1 l"), 12);
        serif.editStyle().font.name = QStringLiteral("Times New Roman");
        serif.editStyle().font.colour = 0x0000FF;
        add(serif);
        TPrevPrvek memo = makeText(0, 190, 200, 80, QString(), 10, 2);
        memo.memo = true;
        memo.lines = {QStringLiteral("Mléko polotučné 1 l"), QStringLiteral("129,90 Kč"),
                      QStringLiteral("Třetí řádek poznámky")};
        add(memo);
        TPrevPrvek ean = makeText(220, 160, 200, 60, QStringLiteral("8590000000015"), 9, 2);
        ean.editStyle().barcodeFormat = QStringLiteral("031010100130010015+0");
        add(ean);
        // Its first digit hangs out of the box: drawn cut at the box.
        TPrevPrvek tight = makeText(220, 230, 100, 40, QStringLiteral("8590000000022"), 9, 2);
        tight.editStyle().barcodeFormat = QStringLiteral("031010100080010015+0");
        add(tight);
        TPrevPrvek turned = makeText(430, 160, 60, 200, QStringLiteral("8590000000039"), 9, 2);
        turned.editStyle().barcodeFormat = QStringLiteral("031010100100010015+0");
        turned.editStyle().rotation = 1;
        add(turned);
    }
    return store;
}

// Draws every page of the store with the given resolution on the device
// that start() begins, with or without one cache for all the pages.
void drawAll(const PageStore& store, QPainter& painter, int resolution, bool cached,
             const std::function<void(int)>& nextPage) {
    const double scale = resolution / 100.0;
    const DrawContext context = DrawContext::forDevice(
        scale, scale, resolution, store.paper.leftMargin, store.paper.topMargin);
    DrawCache cache;
    for (int n = 0; n < store.pageCount(); ++n) {
        nextPage(n);
        ASSERT_TRUE(drawPage(painter, store.page(n), context, nullptr, cached ? &cache : nullptr));
    }
}

void writeTestPdf(const PageStore& store, const QString& path, bool cached) {
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(QPageSize(QSizeF(5, 4), QPageSize::Inch), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));
    QPainter painter(&writer);
    drawAll(store, painter, 1200, cached, [&](int n) {
        if (n > 0) writer.newPage();
    });
}

QList<QImage> drawImages(const PageStore& store, int dpi, bool cached) {
    QList<QImage> images;
    for (int n = 0; n < store.pageCount(); ++n) {
        images.append(QImage(5 * dpi, 4 * dpi, QImage::Format_RGB32));
        images.last().fill(Qt::white);
    }
    // One painter a page, as the PNG output has it.
    const double scale = dpi / 100.0;
    const DrawContext context = DrawContext::forDevice(
        scale, scale, dpi, store.paper.leftMargin, store.paper.topMargin);
    DrawCache cache;
    for (int n = 0; n < store.pageCount(); ++n) {
        QPainter painter(&images[n]);
        drawPage(painter, store.page(n), context, nullptr, cached ? &cache : nullptr);
    }
    return images;
}

}  // namespace

TEST(DrawCache, PdfPagesAreTheSameWithAndWithoutTheCache) {
    const PageStore store = textPages();
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain.pdf"));
    const QString cached = dir.filePath(QStringLiteral("cached.pdf"));
    writeTestPdf(store, plain, false);
    writeTestPdf(store, cached, true);
    for (int page = 1; page <= 2; ++page) {
        const QImage a = pdfPage(plain, page, 200), b = pdfPage(cached, page, 200);
        ASSERT_EQ(a.size(), QSize(1000, 800)) << page;
        EXPECT_FALSE(inkBox(a).isEmpty());
        EXPECT_TRUE(a == b) << "page " << page << ": " << differingPixels(a, b)
                            << " pixels differ clearly";
    }
    const QString text = pdfText(plain);
    EXPECT_TRUE(text.contains(QStringLiteral("129,90 Kč"))) << text.toStdString();
    EXPECT_EQ(pdfText(cached), text);
}

TEST(DrawCache, ImagesAreTheSameWithAndWithoutTheCache) {
    const PageStore store = textPages();
    for (const int dpi : {100, 300}) {
        const QList<QImage> plain = drawImages(store, dpi, false);
        const QList<QImage> cached = drawImages(store, dpi, true);
        for (int n = 0; n < 2; ++n) EXPECT_TRUE(plain[n] == cached[n]) << dpi << " dpi, page " << n;
    }
}

TEST(DrawCache, ACacheMovedToAnotherResolutionStartsAfresh) {
    // The same cache on a 100 dpi and then a 300 dpi canvas measures anew:
    // the pages come out as drawn without it.
    const PageStore store = textPages();
    DrawCache cache;
    for (const int dpi : {100, 300}) {
        QImage plain(5 * dpi, 4 * dpi, QImage::Format_RGB32), cached = plain;
        plain.fill(Qt::white);
        cached.fill(Qt::white);
        const double scale = dpi / 100.0;
        const DrawContext context = DrawContext::forDevice(scale, scale, dpi, 10, 20);
        for (int n = 0; n < 2; ++n) {
            QPainter a(&plain), b(&cached);
            drawPage(a, store.page(n), context);
            drawPage(b, store.page(n), context, nullptr, &cache);
        }
        EXPECT_TRUE(plain == cached) << dpi << " dpi";
    }
}

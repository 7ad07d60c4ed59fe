#include <gtest/gtest.h>

#include <QPainter>
#include <QTransform>

#include "render_helpers.h"
#include "report/render/barcode/draw_barcode.h"

using namespace dorvana;
using namespace dorvana::test;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);

int pixelsNot(const QImage& image, const QRect& r, QRgb colour) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += image.pixel(x, y) != colour;
    return n;
}

// The ink's bounding box (anything not white).
QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kWhite) box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace

TEST(DrawBarcode, DataThatCannotBeEncodedDrawsTheErrorText) {
    const struct {
        const char* format;
        const char* data;
    } cases[] = {
        {"031010000120010015#0", "59012341234"},  // 11 digits for EAN-13
        {"031010000120010015#0", "ABC"},           {"071010000120010015#0", "a*b"},
        {"031010000120010015", "5901234123457"},    // format too short
        {"991010000120010015#0", "5901234123457"},  // no such symbology
    };
    for (const auto& c : cases) {
        const ElementImage e = renderBarcodeElement(QString::fromLatin1(c.format),
                                                    QString::fromLatin1(c.data), {300, 60}, 96, 0);
        EXPECT_FALSE(e.drawn) << c.data;
        // Text only: the element's background is not filled, the text is centred.
        const QRect ink = inkBox(e.image);
        ASSERT_FALSE(ink.isEmpty()) << c.data;
        EXPECT_TRUE(e.element.contains(ink)) << c.data;
        EXPECT_NEAR(ink.center().x(), e.element.center().x(), 3) << c.data;
        EXPECT_NEAR(ink.center().y(), e.element.center().y(), 4) << c.data;
    }
}

TEST(DrawBarcode, ErrorTextTurnsCounterClockwise) {
    const QString format = QStringLiteral("031010000120010015#0");
    const ElementImage upright =
        renderBarcodeElement(format, QStringLiteral("x"), {300, 60}, 96, 0, 0);
    for (int rotation = 1; rotation < 4; ++rotation) {
        const QSize size = rotation % 2 ? QSize(60, 300) : QSize(300, 60);
        const ElementImage turned =
            renderBarcodeElement(format, QStringLiteral("x"), size, 96, rotation, 0);
        // Turning the upright picture counter-clockwise gives nearly the same
        // ink; turning it the other way (or not at all for a half turn) does not.
        const auto differ = [&](const QImage& expected) {
            EXPECT_EQ(expected.size(), turned.image.size());
            int n = 0;
            for (int y = 0; y < expected.height(); ++y)
                for (int x = 0; x < expected.width(); ++x)
                    n += (qGray(expected.pixel(x, y)) < 128) !=
                         (qGray(turned.image.pixel(x, y)) < 128);
            return n;
        };
        const int right = differ(upright.image.transformed(QTransform().rotate(-90 * rotation)));
        const int wrong =
            differ(rotation == 2 ? upright.image
                                 : upright.image.transformed(QTransform().rotate(90 * rotation)));
        EXPECT_GT(wrong, 200) << "rotation " << rotation;
        EXPECT_LT(right * 2, wrong) << "rotation " << rotation;
    }
}

TEST(DrawBarcode, EmptyFormatDrawsNothing) {
    const ElementImage e = renderBarcodeElement(QString(), QStringLiteral("123"), {100, 40}, 96, 0);
    EXPECT_FALSE(e.drawn);
    EXPECT_EQ(pixelsNot(e.image, e.image.rect(), kWhite), 0);
}

TEST(DrawBarcode, TurnedSymbolIsTheUprightOneTurnedClockwise) {
    // Blue bars on yellow, no text: every pixel of the 100 x 40 element is
    // one of the two, and the symbol laid out 40 wide and 100 high turns
    // onto it pixel for pixel.
    const QString format = QStringLiteral("070010000120011211#0");
    const QRgb blue = qRgb(0, 0, 255), yellow = qRgb(255, 255, 0);
    const ElementImage upright =
        renderBarcodeElement(format, QStringLiteral("AB"), {40, 100}, 300, 0, 0);
    ASSERT_TRUE(upright.drawn);
    for (int rotation = 1; rotation < 4; ++rotation) {
        const QSize size = rotation % 2 ? QSize(100, 40) : QSize(40, 100);
        const ElementImage turned =
            renderBarcodeElement(format, QStringLiteral("AB"), size, 300, rotation, 0);
        ASSERT_TRUE(turned.drawn);
        const QImage& img = turned.image;
        const int w = img.width(), h = img.height();
        int bars = 0, mismatches = 0;
        for (int y = 0; y < upright.image.height(); ++y)
            for (int x = 0; x < upright.image.width(); ++x) {
                const QRgb want = upright.image.pixel(x, y);
                const QPoint to = rotation == 1   ? QPoint(w - 1 - y, x)
                                  : rotation == 2 ? QPoint(w - 1 - x, h - 1 - y)
                                                  : QPoint(y, h - 1 - x);
                mismatches += img.pixel(to) != want;
                bars += want == blue;
            }
        EXPECT_EQ(mismatches, 0) << "rotation " << rotation;
        EXPECT_GT(bars, 1000);
        int other = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                other += img.pixel(x, y) != blue && img.pixel(x, y) != yellow;
        EXPECT_EQ(other, 0) << "rotation " << rotation;
    }
}

TEST(DrawBarcode, NarrowBarsOnTheDevice) {
    // Width 12 thousandths: 1-pixel bars on a 96 dpi screen, 7-pixel bars on
    // a 600 dpi printer; wide elements are twice as wide.
    const struct {
        int dpi;
        int narrow;
    } cases[] = {{96, 1}, {300, 4}, {600, 7}};
    for (const auto& c : cases) {
        const ElementImage e = renderBarcodeElement(QStringLiteral("070010000120010015#0"),
                                                    QStringLiteral("A1"), {300, 60}, c.dpi, 0);
        const int y = e.element.center().y();
        QList<int> runs;
        int run = 0;
        for (int x = e.element.left(); x <= e.element.right() + 1; ++x) {
            if (x <= e.element.right() && qGray(e.image.pixel(x, y)) < 128) {
                ++run;
            } else if (run > 0) {
                runs.append(run);
                run = 0;
            }
        }
        ASSERT_EQ(runs.size(), 20) << c.dpi;  // four characters of five bars
        EXPECT_EQ(*std::min_element(runs.begin(), runs.end()), c.narrow) << c.dpi;
        EXPECT_EQ(*std::max_element(runs.begin(), runs.end()), 2 * c.narrow) << c.dpi;
    }
}

TEST(DrawBarcode, ColoursOfBarsBackgroundAndText) {
    // Blue bars on yellow; the text takes the canvas's pen, the font colour.
    QImage image(600, 300, QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(10);
        p.setFont(font);
        p.setPen(QColor(255, 0, 0));
        ASSERT_TRUE(DrawBarcode(p, image.rect(), QStringLiteral("ABC"), 0, 0, 1.0,
                                QStringLiteral("071010000120011211#0")));
    }
    int blue = 0, yellow = 0, red = 0, white = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            blue += c == QColor(0, 0, 255);
            yellow += c == QColor(255, 255, 0);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            white += c == QColor(255, 255, 255);
        }
    EXPECT_GT(blue, 5000);
    EXPECT_GT(yellow, 50000);
    EXPECT_GT(red, 100);
    EXPECT_EQ(white, 0);  // the whole element takes the background colour
}

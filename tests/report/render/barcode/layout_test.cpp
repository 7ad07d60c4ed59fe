#include <gtest/gtest.h>

#include <QFont>
#include <QImage>

#include "report/render/barcode/barcode_encoder.h"
#include "report/render/barcode/barcode_layout.h"

using namespace dorvana;

namespace {

// Metrics of 10 pt Arial on a 300 dpi image.
QFontMetrics metrics300() {
    static QImage device = [] {
        QImage i(8, 8, QImage::Format_RGB32);
        i.setDotsPerMeterX(11811);
        i.setDotsPerMeterY(11811);
        return i;
    }();
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    return QFontMetrics(font, &device);
}

BarcodeLayout layout(const QString& format, const QString& data, QSize box, double dpi = 300,
                     double scale = 1.0) {
    const auto f = BarcodeFormat::read(format);
    const auto s = encodeBarcode(*f, data);
    EXPECT_TRUE(s) << data.toStdString();
    return layoutBarcode(*s, *f, box, dpi, scale, metrics300());
}

}  // namespace

TEST(BarcodeLayout, NarrowBarWidth) {
    // (thousandths of an inch, dpi, ratio, pixels)
    const struct {
        int width;
        double dpi;
        double ratio;
        int pixels;
    } cases[] = {
        {12, 96, 1.0, 1},  {12, 600, 1.0, 7}, {12, 300, 1.0, 4},  // 3.6 -> 4
        {24, 96, 1.0, 2},                                         // width 12 at scale 2
        {1, 300, 1.0, 3},                                         // at least resolution / 100
        {12, 96, 2.5, 2},                                         // at least the ratio, rounded
        {12, 96, 3.5, 4},  {0, 96, 1.0, 1},   {20, 75, 1.0, 2},   // 1.5 -> 2 (halves to even)
        {10, 250, 1.0, 2},  // 2.5 -> 2 (halves to even), then at least 2.5 -> 2
    };
    for (const auto& c : cases)
        EXPECT_EQ(narrowBarPixels(c.width, c.dpi, c.ratio), c.pixels)
            << c.width << " @ " << c.dpi << " ratio " << c.ratio;
}

TEST(BarcodeLayout, MarginsCentringTextLineAndGuards) {
    const QFontMetrics fm = metrics300();
    const int t = fm.height();
    const BarcodeLayout l =
        layout(QStringLiteral("031010000120010015#0"), QStringLiteral("5901234123457"), {600, 301});
    EXPECT_EQ(l.area, QRect(0, 30, 600, 241));  // 10 % of 301, integer division
    EXPECT_EQ(l.narrowBar, 4);
    EXPECT_EQ(l.narrowSpace, 4);
    EXPECT_EQ(l.textHeight, t);
    EXPECT_EQ(l.symbolWidth, 95 * 4);
    EXPECT_EQ(l.symbolLeft, (600 - 380) / 2);
    const int barHeight = 241 - (t + t / 4);
    const int extra = std::min(barHeight / 10, t / 4);
    ASSERT_EQ(l.bars.size(), 30);
    EXPECT_EQ(l.bars.first(), QRect(110, 30, 4, barHeight + extra));  // start guard
    EXPECT_EQ(l.bars[2].height(), barHeight);                         // first data bar
    EXPECT_EQ(l.bars.last().right(), 110 + 380 - 1);
    // First digit left of the symbol, two groups of six under the halves.
    ASSERT_EQ(l.texts.size(), 3);
    EXPECT_EQ(l.texts[0].text, u"5");
    EXPECT_LT(l.texts[0].rect.right(), 110);
    for (const auto& text : l.texts) EXPECT_EQ(text.rect.top(), 30 + 241 - t);
    const int leftCentre = 110 + (3 + 42 / 2) * 4;  // middle of the left half
    EXPECT_NEAR(l.texts[1].rect.center().x(), leftCentre, 2);

    // Without tall guards every bar has the same height; without text the
    // bars take the whole area.
    const BarcodeLayout flat =
        layout(QStringLiteral("031000000120010015#0"), QStringLiteral("5901234123457"), {600, 301});
    EXPECT_EQ(flat.bars.first().height(), barHeight);
    const BarcodeLayout bare =
        layout(QStringLiteral("030000000120010015#0"), QStringLiteral("5901234123457"), {600, 301});
    EXPECT_EQ(bare.bars[2].height(), 241);
    EXPECT_TRUE(bare.texts.isEmpty());
}

TEST(BarcodeLayout, RatioAppliesToUpcEanAndCodabarOnly) {
    const QString ratio2 = QStringLiteral("031010000120020015#0");
    const BarcodeLayout ean = layout(ratio2, QStringLiteral("5901234123457"), {600, 300});
    EXPECT_EQ(ean.narrowBar, 4);
    EXPECT_EQ(ean.narrowSpace, 2);
    const auto symbol = encodeEan13(QStringLiteral("5901234123457"));
    EXPECT_EQ(ean.symbolWidth, symbol->totalUnits(true) * 4 + symbol->totalUnits(false) * 2);

    const BarcodeLayout codabar =
        layout(QStringLiteral("051010000120020015#0"), QStringLiteral("A1B"), {600, 300});
    EXPECT_EQ(codabar.narrowSpace, 2);
    const BarcodeLayout code39 =
        layout(QStringLiteral("071010000120020015#0"), QStringLiteral("AB"), {600, 300});
    EXPECT_EQ(code39.narrowSpace, 4);
}

TEST(BarcodeLayout, WideSymbolStartsAtTheLeftEdge) {
    const BarcodeLayout l =
        layout(QStringLiteral("071010000120010015#0"), QStringLiteral("ABCDEFGHIJ"), {200, 100});
    EXPECT_GT(l.symbolWidth, 200);
    EXPECT_EQ(l.symbolLeft, 0);
    EXPECT_EQ(l.bars.first().left(), 0);
    for (const QRect& r : l.bars) EXPECT_LT(r.left(), 200);  // bars past the box are left out
}

TEST(BarcodeLayout, AddOnGapAndTextAbove) {
    const QFontMetrics fm = metrics300();
    const int t = fm.height();
    const BarcodeLayout l = layout(QStringLiteral("031010000120010015#0"),
                                   QStringLiteral("9771234567003#05"), {900, 300});
    // 30 bars of EAN-13, 6 of EAN-2 (start 2, digits 2 + 2... counted below).
    const auto s = encodeBarcode(*BarcodeFormat::read(QStringLiteral("031010000120010015#0")),
                                 QStringLiteral("9771234567003#05"));
    int mainBars = 0;
    for (const BarElement& e : s->elements) mainBars += e.bar && !e.addOn;
    ASSERT_GT(l.bars.size(), mainBars);
    const QRect lastMain = l.bars[mainBars - 1];
    const QRect firstAddOn = l.bars[mainBars];
    EXPECT_EQ(firstAddOn.left() - (lastMain.right() + 1), 7 * l.narrowSpace);
    EXPECT_EQ(firstAddOn.top(), l.area.top() + t + t / 4);
    EXPECT_EQ(firstAddOn.bottom(), l.bars.first().bottom());  // down to the guard bars
    const auto& addOnText = l.texts.last();
    EXPECT_EQ(addOnText.text, u"05");
    EXPECT_EQ(addOnText.rect.top(), l.area.top());
    EXPECT_GE(addOnText.rect.left(), firstAddOn.left() - 4);
}

TEST(BarcodeLayout, BearerBarsOfInterleaved2of5) {
    const QFontMetrics fm = metrics300();
    const int t = fm.height();
    const BarcodeLayout l =
        layout(QStringLiteral("041011000120010015#0"), QStringLiteral("1234"), {600, 300});
    const int b = l.narrowBar;
    ASSERT_EQ(l.bearers.size(), 2);
    const int barHeight = l.area.height() - (t + t / 4) - 6 * b;
    EXPECT_EQ(l.bearers[0],
              QRect(int(l.symbolLeft) - b, l.area.top(), int(l.symbolWidth) + 2 * b, 3 * b));
    EXPECT_EQ(l.bars.first(), QRect(int(l.symbolLeft), l.area.top() + 3 * b, b, barHeight));
    EXPECT_EQ(l.bearers[1].top(), l.area.top() + 3 * b + barHeight);
    // Bearer bars belong to Interleaved 2 of 5 only.
    EXPECT_TRUE(layout(QStringLiteral("071011000120010015#0"), QStringLiteral("12"), {600, 300})
                    .bearers.isEmpty());
}

TEST(BarcodeLayout, CallersScaleWidensTheBars) {
    // (dpi, scale, narrow bar): 12 thousandths x scale, then the device rules.
    const struct {
        double dpi;
        double scale;
        int narrow;
    } cases[] = {{96, 1.0, 1}, {96, 2.0, 2}, {96, 3.0, 3}, {600, 0.5, 6}, {300, 1.5, 5}};
    for (const auto& c : cases) {
        const BarcodeLayout l = layout(QStringLiteral("071010000120010015#0"), QStringLiteral("A"),
                                       {2000, 300}, c.dpi, c.scale);
        EXPECT_EQ(l.narrowBar, c.narrow) << c.dpi << " x " << c.scale;
        EXPECT_EQ(l.bars.first().width(), c.narrow);
    }
}

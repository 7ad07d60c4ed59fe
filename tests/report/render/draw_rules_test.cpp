// The drawing rules of printed elements, checked on small images.

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QTransform>

#include "render_fixture.h"
#include "report/render/barcode/draw_barcode.h"
#include "report/render/draw_page.h"
#include "report/render/page_canvas.h"
#include "report/layout/pages/printed_fonts.h"

using namespace dorvana;
using namespace dorvana::test;

namespace {

QFontMetrics metricsOf(int points, int style = 0, const QString& name = QStringLiteral("Arial")) {
    return QFontMetrics(printedQFont(name, fontPixelSize(points, 100), style));
}

// The fewest differing pixels with b moved by up to shift pixels either way.
int leastDifference(const QImage& a, const QImage& b, int shift) {
    int best = differingPixels(a, b);
    for (int dx = -shift; dx <= shift; ++dx)
        for (int dy = -shift; dy <= shift; ++dy) {
            QImage moved(b.size(), QImage::Format_RGB32);
            moved.fill(Qt::white);
            QPainter(&moved).drawImage(dx, dy, b);
            best = std::min(best, differingPixels(a, moved));
        }
    return best;
}

}  // namespace

TEST(PrintedFonts, WindowsNamesResolveToMetricTwins) {
    const struct {
        const char* name;
        const char* family;
    } cases[] = {{"Arial", "Liberation Sans"},
                 {"Times New Roman", "Liberation Serif"},
                 {"Courier New", "Liberation Mono"}};
    for (const auto& c : cases)
        EXPECT_EQ(QFontInfo(printedQFont(QString::fromLatin1(c.name), 20, 0)).family(),
                  QString::fromLatin1(c.family))
            << c.name;
    // Arial's advances: H .722, e .556, l .222, o .556 em; 10 pt at 1200 dpi is 166.7 pixels.
    auto width = [](int style) {
        return QFontMetricsF(printedQFont(QStringLiteral("Arial"), fontPixelSize(10, 1200), style))
            .horizontalAdvance(QStringLiteral("Hello"));
    };
    EXPECT_NEAR(width(0), 2.278 * 167, 1.0);
    EXPECT_GT(width(1), width(0));
}

TEST(PrintedFonts, StyleBitsRoundTripThroughEveryFont) {
    // Every combination of bold 1, italic 2, underline 4, strikeout 8 comes
    // back from the fonts drawing uses and the fonts the dialogs are given.
    for (int bits = 0; bits < 16; ++bits) {
        EXPECT_EQ(fontStyleBits(printedQFont(QStringLiteral("Arial"), 20, bits)), bits);
        const QFont shown = dialogFont(QStringLiteral("Courier New"), 11, bits);
        EXPECT_EQ(fontStyleBits(shown), bits);
        EXPECT_EQ(shown.pointSize(), 11);
        EXPECT_EQ(shown.family(), QStringLiteral("Courier New"));
    }
    EXPECT_EQ(dialogFont(QStringLiteral("Arial"), 0, 0).pointSize(), 1) << "never below a point";
}

TEST(PageCanvas, ElementBoxRoundsHalfToEven) {
    const struct {
        int x;
        double ox, sx;
        int left, width;
    } cases[] = {
        {5, 0, 0.5, 2, 2},    // 2.5 -> 2
        {7, 0, 0.5, 4, 4},    // 3.5 -> 4
        {1, 2, 1.5, 4, 2},    // 4.5 -> 4; width 1.5 -> 2
        {3, -1, 1.25, 2, 4},  // 2.5 -> 2; width 3.75 -> 4
    };
    for (const auto& c : cases) {
        QImage image(10, 10, QImage::Format_RGB32);
        QPainter painter(&image);
        DrawContext ctx = unitContext();
        ctx.ox = c.ox;
        ctx.sx = c.sx;
        PageCanvas canvas(painter, ctx);
        TPrevPrvek e = makeElement(1, c.x, 0, c.x, 0);
        const QRect box = canvas.elementBox(e);
        EXPECT_EQ(box.left(), c.left) << c.x << " " << c.sx;
        EXPECT_EQ(box.width(), c.width) << c.x << " " << c.sx;
    }
}

TEST(TextRule, TooLongLineIsCutCharacterByCharacter) {
    const QString text = QStringLiteral("ABCDEFGHIJKLMNOP");
    const QFontMetrics fm = metricsOf(12);
    const int boxWidth = 60;
    QString fitting = text;
    while (fm.horizontalAdvance(fitting) > boxWidth) fitting.chop(1);
    ASSERT_LT(fitting.size(), text.size());
    ASSERT_GT(fitting.size(), 1);

    const QImage cut = drawn(makeText(10, 10, boxWidth, 30, text, 12), {200, 50});
    const QImage expected = drawn(makeText(10, 10, 150, 30, fitting, 12), {200, 50});
    EXPECT_EQ(differingPixels(cut, expected), 0);
    EXPECT_LE(inkBox(cut).right(), 10 + boxWidth);
}

TEST(TextRule, AlignmentPlacesTheLineInTheBox) {
    const QString text = QStringLiteral("Cena");
    const int lw = metricsOf(10).horizontalAdvance(text);
    // Centred: (w - line width) div 2 from the box's left edge; right: w - line width.
    const struct {
        int alignment;
        int start;
    } cases[] = {{2, (80 - lw) / 2}, {1, 80 - lw}};
    for (const auto& c : cases) {
        const QImage aligned = drawn(makeText(10, 5, 80, 20, text, 10, c.alignment), {120, 40});
        const QImage left = drawn(makeText(10 + c.start, 5, lw, 20, text, 10, 0), {120, 40});
        EXPECT_EQ(differingPixels(aligned, left), 0) << c.alignment;
    }
}

TEST(TextRule, CentredTextFiftyUnitsWideStartsFifteenIn) {
    // At 20 pixels "MMM" is 50 units wide (M is 0.833 em); centred in 80 it starts 15 in.
    DrawContext ctx = unitContext();
    ctx.fontDpi = 72.0;  // a point is a pixel
    const QString text = QStringLiteral("MMM");
    ASSERT_EQ(QFontMetrics(printedQFont(QStringLiteral("Arial"), 20, 0)).horizontalAdvance(text),
              50);
    const QImage centred = drawn(makeText(20, 10, 80, 40, text, 20, 2), {120, 60}, ctx);
    const QImage atFifteen = drawn(makeText(35, 10, 50, 40, text, 20, 0), {120, 60}, ctx);
    EXPECT_EQ(differingPixels(centred, atFifteen), 0);
}

TEST(TextRule, CrLfLinesSitAtFiveSixthsAndOneHeightLower) {
    const QFontMetrics fm = metricsOf(20);
    const QImage image =
        drawn(makeText(10, 10, 100, 60, QStringLiteral("EEE\r\nEEE"), 20), {140, 140});
    // "E" stands on the baseline: its lowest ink row is just above it.
    auto lowestInkRow = [&](int from, int to) {
        int row = -1;
        for (int y = from; y < to; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (dark(image, x, y)) row = y;
        return row;
    };
    const int first = 10 + 60 * 5 / 6;  // baseline of the first line
    const int second = first + fm.height();
    EXPECT_EQ(lowestInkRow(0, first + 4), first - 1);
    EXPECT_EQ(lowestInkRow(first + 4, image.height()), second - 1);
}

TEST(TextRule, NoFurtherLinesOnceTheRoomIsBelowFourUnits) {
    const int height = metricsOf(10).height();
    // A box exactly one line high plus 3 units: the second line is not drawn.
    const QImage one = drawn(makeText(0, 0, 100, height + 3, QStringLiteral("A\r\nB"), 10),
                             {120, 3 * height});
    const QImage both = drawn(makeText(0, 0, 100, height + 4, QStringLiteral("A\r\nB"), 10),
                              {120, 3 * height});
    EXPECT_LT(inkBox(one).bottom(), height + 3);
    EXPECT_GT(inkBox(both).bottom(), height + 4);
}

TEST(TextRule, QuarterTurnsTurnTheUprightDrawing) {
    // A turned element draws what the upright one draws in the box with
    // exchanged sides, turned counter-clockwise about the box.
    const QString text = QStringLiteral("Ab1\r\nXy");
    for (int alignment : {0, 1, 2}) {
        const QImage upright = drawn(makeText(0, 0, 120, 60, text, 14, alignment), {120, 60});
        const QImage uprightTall = drawn(makeText(0, 0, 60, 120, text, 14, alignment), {60, 120});
        const struct {
            int rotation;
            QImage expected;
        } cases[] = {
            {1, uprightTall.transformed(QTransform().rotate(-90))},
            {2, upright.transformed(QTransform().rotate(180))},
            {3, uprightTall.transformed(QTransform().rotate(90))},
        };
        for (const auto& c : cases) {
            const QImage turned =
                drawn(makeText(0, 0, 120, 60, text, 14, alignment, c.rotation), {120, 60});
            ASSERT_EQ(turned.size(), c.expected.size());
            // Turned glyphs rasterise a little differently, and centring
            // divides the free room the other way round when turned: allow
            // the ink a pixel (two when centred) on each side.
            const int slack = alignment == 2 ? 2 : 1;
            const QRect got = inkBox(turned), want = inkBox(c.expected);
            EXPECT_LE(std::abs(got.left() - want.left()), slack);
            EXPECT_LE(std::abs(got.right() - want.right()), slack);
            EXPECT_LE(std::abs(got.top() - want.top()), slack);
            EXPECT_LE(std::abs(got.bottom() - want.bottom()), slack)
                << "rotation " << c.rotation << " alignment " << alignment;
            EXPECT_LT(leastDifference(turned, c.expected, 1), 100);
            EXPECT_FALSE(inkBox(turned).isEmpty());
        }
    }
}

TEST(TextRule, MemoLinesOneAndAHalfSizesApartWhileTheyFit) {
    TPrevPrvek memo = makeText(0, 0, 100, 35, QString(), 10);
    memo.memo = true;
    memo.lines = {QStringLiteral("E"), QStringLiteral("E"), QStringLiteral("E")};
    const QImage image = drawn(memo, {120, 80});
    // b = 10: lines at 0 and 15; the third at 30 exceeds 35 - 10 and is not drawn.
    const int ascent = metricsOf(10).ascent();
    EXPECT_FALSE(inkBox(image.copy(0, 0, 120, ascent)).isEmpty());
    EXPECT_FALSE(inkBox(image.copy(0, 15, 120, ascent)).isEmpty());
    EXPECT_TRUE(inkBox(image.copy(0, 30, 120, 50)).isEmpty());
    EXPECT_EQ(inkBox(image).bottom(), 15 + ascent - 1);
}

TEST(TextRule, ScreenFontOnTheScreenOnly) {
    TPrevPrvek e = makeText(0, 0, 150, 30, QStringLiteral("Kód 123"), 10, 0);
    e.editStyle().screenFont = QStringLiteral("Courier New");
    TPrevPrvek courierCentred = makeText(0, 0, 150, 30, QStringLiteral("Kód 123"), 10, 2);
    courierCentred.editStyle().font.name = QStringLiteral("Courier New");
    const TPrevPrvek plain = makeText(0, 0, 150, 30, QStringLiteral("Kód 123"), 10, 0);

    const DrawContext screen = DrawContext::forScreen(1.0, 0, 0);
    DrawContext printer = screen;
    printer.screen = false;
    // On the screen the screen font is used, and left alignment counts as centred.
    EXPECT_EQ(differingPixels(drawn(e, {160, 40}, screen), drawn(courierCentred, {160, 40}, screen)),
              0);
    EXPECT_EQ(differingPixels(drawn(e, {160, 40}, printer), drawn(plain, {160, 40}, printer)), 0);

    // "Barcode Display Font" shows blanks unless the printer prints the barcode itself.
    e.editStyle().screenFont = QStringLiteral("Barcode Display Font");
    e.editStyle().barcodeByPrinter = false;
    EXPECT_TRUE(inkBox(drawn(e, {160, 40}, screen)).isEmpty());
    EXPECT_FALSE(inkBox(drawn(e, {160, 40}, printer)).isEmpty());
    e.editStyle().barcodeByPrinter = true;
    EXPECT_FALSE(inkBox(drawn(e, {160, 40}, screen)).isEmpty());
}

TEST(TextRule, FontIsSwitchedOnlyWhenItChanges) {
    QImage image(50, 50, QImage::Format_RGB32);
    QPainter painter(&image);
    PageCanvas canvas(painter, unitContext());
    TPrevPrvek a = makeText(0, 0, 40, 20, QStringLiteral("a"), 10);
    TPrevPrvek b = makeText(0, 0, 40, 20, QStringLiteral("b"), 10);
    b.editStyle().font.name = QStringLiteral("ARIAL");  // the name's case does not count
    canvas.drawElement(a);
    canvas.drawElement(b);
    canvas.drawElement(makeElement(8, 0, 0, 10, 10));  // a shape does not touch the font
    canvas.drawElement(a);
    EXPECT_EQ(canvas.fontSwitches(), 1);
    const struct {
        const char* what;
        void (*change)(PrintedStyle&);
    } changes[] = {
        {"size", [](PrintedStyle& s) { s.font.size = 12; }},
        {"colour", [](PrintedStyle& s) { s.font.colour = 0xFFFF0000; }},
        {"style", [](PrintedStyle& s) { s.font.style = 1; }},
        {"name", [](PrintedStyle& s) { s.font.name = QStringLiteral("Times New Roman"); }},
    };
    int expected = 1;
    for (const auto& c : changes) {
        TPrevPrvek changed = a;
        c.change(changed.editStyle());
        canvas.drawElement(changed);
        canvas.drawElement(a);
        expected += 2;
        EXPECT_EQ(canvas.fontSwitches(), expected) << c.what;
    }
}

TEST(TextRule, FrameLinesLieInsideTheBoxEdges) {
    TPrevPrvek e = makeText(10, 10, 40, 20, QString(), 10);
    e.editStyle().frame = 1 | 4;  // left and right
    const QImage image = drawn(e, {70, 40});
    EXPECT_TRUE(dark(image, 10, 20));
    EXPECT_TRUE(dark(image, 49, 20));
    EXPECT_FALSE(dark(image, 9, 20));
    EXPECT_FALSE(dark(image, 50, 20));
    EXPECT_FALSE(dark(image, 30, 10));  // no top line
    e.editStyle().frame = 2 | 8;
    const QImage rows = drawn(e, {70, 40});
    EXPECT_TRUE(dark(rows, 30, 10));
    EXPECT_TRUE(dark(rows, 30, 29));
    EXPECT_FALSE(dark(rows, 30, 30));
    EXPECT_FALSE(dark(rows, 10, 20));
}

TEST(TextRule, BarcodeFormatDrawsTheBarcode) {
    TPrevPrvek e = makeText(10, 10, 300, 80, QStringLiteral("5901234123457"), 10);
    e.editStyle().barcodeFormat = QStringLiteral("031010000120010015#0");
    const QImage image = drawn(e, {320, 100});
    QImage expected(320, 100, QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter painter(&expected);
        painter.setFont(printedQFont(QStringLiteral("Arial"), fontPixelSize(10, 100), 0));
        painter.setPen(Qt::black);
        ASSERT_TRUE(DrawBarcode(painter, QRect(10, 10, 300, 80), e.text, 0, Qt::AlignLeft, 1.0,
                                e.style().barcodeFormat));
    }
    EXPECT_EQ(differingPixels(image, expected), 0);
}

TEST(LineRule, WidthThreeInsetsByOneAndTwo) {
    TPrevPrvek e = makeElement(7, 10, 10, 40, 30);
    e.editStyle().lineWidth = 3;
    e.editStyle().frame = 15;
    const QImage image = drawn(e, {70, 60});
    // Left edge centred 1 in: columns 10..12; right edge centred 2 in from 50: 47..49.
    const int y = 25;
    EXPECT_FALSE(dark(image, 9, y));
    for (int x : {10, 11, 12, 47, 48, 49}) EXPECT_TRUE(dark(image, x, y)) << x;
    EXPECT_FALSE(dark(image, 13, y));
    EXPECT_FALSE(dark(image, 46, y));
    EXPECT_FALSE(dark(image, 50, y));
    const int x = 30;
    EXPECT_FALSE(dark(image, x, 9));
    for (int row : {10, 11, 12, 37, 38, 39}) EXPECT_TRUE(dark(image, x, row)) << row;
    EXPECT_FALSE(dark(image, x, 13));
    EXPECT_FALSE(dark(image, x, 40));
    EXPECT_EQ(inkBox(image), QRect(10, 10, 40, 30));
}

TEST(LineRule, DiagonalsJoinTheInsetCorners) {
    TPrevPrvek e = makeElement(7, 0, 0, 40, 40);
    e.editStyle().lineWidth = 1;
    e.editStyle().diagonalLsPh = true;  // bottom left to top right
    const QImage rising = drawn(e, {50, 50});
    EXPECT_TRUE(dark(rising, 0, 39));
    EXPECT_TRUE(dark(rising, 39, 0));
    EXPECT_FALSE(dark(rising, 0, 0));
    e.editStyle().diagonalLsPh = false;
    e.editStyle().diagonalLhPs = true;
    const QImage falling = drawn(e, {50, 50});
    EXPECT_TRUE(dark(falling, 0, 0));
    EXPECT_TRUE(dark(falling, 39, 39));
    EXPECT_FALSE(dark(falling, 0, 39));
}

TEST(ShapeRule, RoundedCornerIsAtMostHalfTheHeight) {
    // 40 units high without outline: the corner is 20 across (radius 10), not 40.
    TPrevPrvek e = makeElement(9, 10, 10, 80, 40);
    e.editStyle().fillStyle = 0;
    e.editStyle().fillColour = 0xFF000000;
    const QImage image = drawn(e, {100, 60});
    EXPECT_FALSE(dark(image, 10, 10));
    EXPECT_FALSE(dark(image, 11, 11));
    EXPECT_TRUE(dark(image, 14, 14));  // outside a corner of radius 20
    EXPECT_TRUE(dark(image, 50, 30));
    EXPECT_TRUE(dark(image, 50, 10));
    EXPECT_FALSE(dark(image, 50, 50));
    EXPECT_EQ(inkBox(image), QRect(10, 10, 80, 40));

    // A tall one keeps the corner of 40 x the vertical scale.
    TPrevPrvek tall = makeElement(9, 0, 0, 100, 100);
    const QImage big = drawn(tall, {110, 110});
    EXPECT_FALSE(dark(big, 4, 4));  // inside a corner of radius 10 this would be ink
    EXPECT_TRUE(dark(big, 8, 8));
}

TEST(ShapeRule, OutlineAndFillFollowTheElement) {
    TPrevPrvek e = makeElement(8, 10, 10, 40, 30);
    e.editStyle().fillStyle = 1;  // clear
    e.editStyle().lineWidth = 3;
    e.editStyle().lineColour = 0xFF000000;
    const QImage outlined = drawn(e, {70, 60});
    EXPECT_TRUE(dark(outlined, 10, 25));
    EXPECT_TRUE(dark(outlined, 49, 25));
    EXPECT_FALSE(dark(outlined, 50, 25));
    EXPECT_FALSE(dark(outlined, 30, 25));  // no fill

    TPrevPrvek ellipse = makeElement(10, 0, 0, 60, 40);  // solid black fill, no outline
    const QImage round = drawn(ellipse, {70, 50});
    EXPECT_TRUE(dark(round, 30, 20));
    EXPECT_FALSE(dark(round, 1, 1));
    EXPECT_TRUE(QRect(0, 0, 60, 40).contains(inkBox(round)));
    EXPECT_GE(inkBox(round).width(), 58);
    EXPECT_GE(inkBox(round).height(), 38);
}

TEST(PictureRule, NaturalSizeStretchAndProportions) {
    QImage wide(20, 10, QImage::Format_RGB32);
    wide.fill(Qt::black);
    QImage tall(10, 20, QImage::Format_RGB32);
    tall.fill(Qt::black);
    const struct {
        const char* what;
        const QImage* picture;
        bool stretch, keep;
        int alignment;
        QRect expected;
    } cases[] = {
        {"natural left", &wide, false, false, 0, QRect(10, 10, 20, 10)},
        {"natural right", &wide, false, false, 1, QRect(30, 10, 20, 10)},
        {"natural centre", &wide, false, false, 2, QRect(20, 10, 20, 10)},
        {"stretched", &wide, true, false, 0, QRect(10, 10, 40, 40)},
        {"wide kept", &wide, true, true, 2, QRect(10, 10, 40, 20)},
        {"tall kept left", &tall, true, true, 0, QRect(10, 10, 20, 40)},
        {"tall kept centre", &tall, true, true, 2, QRect(20, 10, 20, 40)},
        {"tall kept right", &tall, true, true, 1, QRect(30, 10, 20, 40)},
    };
    for (const auto& c : cases) {
        TPrevPrvek e = makeElement(11, 10, 10, 40, 40);
        e.picture = *c.picture;
        e.editStyle().diagonalLsPh = c.stretch;
        e.editStyle().diagonalLhPs = c.keep;
        e.editStyle().alignment = c.alignment;
        EXPECT_EQ(inkBox(drawn(e, {70, 70})), c.expected) << c.what;
    }
    // Natural size follows the scale: a picture pixel is 0.01 in.
    TPrevPrvek e = makeElement(11, 0, 0, 40, 40);
    e.picture = wide;
    DrawContext twice = unitContext();
    twice.sx = twice.sy = 2;
    EXPECT_EQ(inkBox(drawn(e, {100, 100}, twice)), QRect(0, 0, 40, 20));
    // A missing picture draws nothing.
    EXPECT_TRUE(inkBox(drawn(makeElement(11, 0, 0, 40, 40), {50, 50})).isEmpty());
}

TEST(PictureRule, TextKindsWithAPictureDrawItWithTheirFrame) {
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::black);
    TPrevPrvek e = makeText(10, 10, 40, 30, QStringLiteral("ignored"), 10);
    e.picture = picture;
    e.editStyle().frame = 4;  // right
    const QImage image = drawn(e, {70, 60});
    EXPECT_TRUE(dark(image, 15, 15));   // the picture at its natural size
    EXPECT_FALSE(dark(image, 25, 15));  // no text
    EXPECT_TRUE(dark(image, 49, 35));   // the right frame line
}

TEST(DrawPage, DrawsInOrderAndStopsAtOnceOnCancel) {
    TStranaPrvku page;
    page.append(makeElement(8, 0, 0, 10, 10));
    page.append(makeElement(8, 20, 0, 10, 10));
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    CancelAfter cancel(1);
    {
        QPainter painter(&image);
        EXPECT_FALSE(drawPage(painter, page, unitContext(), &cancel));
    }
    EXPECT_TRUE(dark(image, 5, 5));
    EXPECT_FALSE(dark(image, 25, 5));
}

TEST(DrawPage, PreviewUsesZoomAndMarginsAndFramesTheSelection) {
    PageStore store;
    store.paper.leftMargin = 10;
    store.paper.topMargin = 20;
    store.zoom = 2.0;
    store.addElement(0, makeElement(8, 5, 5, 10, 10));
    store.addElement(0, makeElement(8, 40, 0, 10, 10));
    store.selectedElement = 1;
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintPreview(painter, store);
    }
    // First element: (5 + 10) x 2 = 30, (5 + 20) x 2 = 50, 20 x 20.
    EXPECT_FALSE(dark(image, 29, 55));
    EXPECT_TRUE(dark(image, 30, 55));
    EXPECT_TRUE(dark(image, 49, 69));
    EXPECT_FALSE(dark(image, 50, 69));
    // The selected one at (100, 40) gets a gray frame just outside its box.
    EXPECT_EQ(image.pixel(99, 45) & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(image.pixel(105, 39) & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(image.pixel(120, 45) & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(image.pixel(29, 49) & 0xFFFFFF, 0xFFFFFFu);  // the other one has none
}

TEST(PageCanvas, AbsurdFiguresDrawWithoutHarm) {
    // Damaged templates may carry any number; drawing must neither crash nor hang.
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::black);
    const int big = std::numeric_limits<int>::max();
    for (int kind : {1, 7, 9, 10, 11}) {
        // Plain numbers: a QRect of such figures would itself overflow.
        const int boxes[][4] = {{big, big, big, big}, {-big, -big, big, big}, {5, 5, -40, -40},
                                {0, 0, 0, 0}};
        for (const auto& r : boxes) {
            TPrevPrvek e = makeText(r[0], r[1], r[2], r[3], QStringLiteral("a\r\nb\r\n\r\nc"), big);
            e.editStyle().kind = kind;
            e.editStyle().lineWidth = big;
            e.picture = kind == 11 ? picture : QImage();
            TPrevPrvek memo = e;
            memo.memo = true;
            memo.lines = {QStringLiteral("x"), QStringLiteral("y")};
            drawn(e, {20, 20});
            drawn(memo, {20, 20});
        }
    }
    SUCCEED();
}

TEST(TextRule, TextTakesTheFontColourWhateverWasDrawnBefore) {
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PageCanvas canvas(painter, unitContext());
        TPrevPrvek line = makeElement(7, 0, 0, 200, 2);
        line.editStyle().frame = 2;
        line.editStyle().lineWidth = 1;
        line.editStyle().lineColour = 0xFF0000FF;  // blue
        TPrevPrvek red = makeText(0, 5, 100, 30, QStringLiteral("MMMM"), 14);
        red.editStyle().font.colour = 0xFFFF0000;
        TPrevPrvek black = makeText(100, 5, 100, 30, QStringLiteral("MMMM"), 14);
        black.editStyle().font.colour = 0x000000;  // without alpha: still opaque black
        canvas.drawElement(line);
        canvas.drawElement(red);
        canvas.drawElement(line);
        canvas.drawElement(black);
    }
    auto inkColour = [&](int x0, int x1) {
        for (int y = 5; y < 35; ++y)
            for (int x = x0; x < x1; ++x)
                if (qGray(image.pixel(x, y)) < 100) return image.pixel(x, y) & 0xFFFFFF;
        return 0xFFFFFFu;
    };
    EXPECT_EQ(inkColour(0, 100), 0xFF0000u);
    EXPECT_EQ(inkColour(100, 200), 0x000000u);
}

TEST(ShapeRule, HatchesRunTheirWay) {
    // 8 units apart; "šikmé F" falls from top left, "šikmé B" rises.
    const struct {
        int fillStyle;
        QPoint on, off;
    } cases[] = {
        {2, {20, 16}, {20, 20}},  // horizontal lines at y = 8k
        {3, {16, 20}, {20, 20}},  // vertical lines at x = 8k
        {4, {20, 20}, {20, 24}},  // "\": y - x = 8k
        {5, {20, 20}, {20, 16} /* x + y = 36: off */},
    };
    for (const auto& c : cases) {
        TPrevPrvek e = makeElement(8, 0, 0, 40, 40);
        e.editStyle().fillStyle = c.fillStyle;
        const QImage image = drawn(e, {40, 40});
        EXPECT_TRUE(dark(image, c.on.x(), c.on.y())) << c.fillStyle;
        EXPECT_FALSE(dark(image, c.off.x(), c.off.y())) << c.fillStyle;
    }
}

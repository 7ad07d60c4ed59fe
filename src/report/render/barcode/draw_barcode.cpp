#include "report/render/barcode/draw_barcode.h"

#include <QPaintDevice>

#include "report/render/barcode/barcode_encoder.h"
#include "report/render/barcode/barcode_layout.h"

namespace dorvana {

namespace {

// Turns the canvas so that a box of the given upright size drawn at (0, 0)
// lands in rect, turned clockwise by quarter turns (turns < 0: counter-clockwise).
// Returns the upright box size.
QSize turnInto(QPainter& canvas, const QRect& rect, int turns) {
    turns = ((turns % 4) + 4) % 4;
    const int w = rect.width(), h = rect.height();
    switch (turns) {
        case 1:  // (x, y) -> (W - y, x)
            canvas.translate(rect.left() + w, rect.top());
            canvas.rotate(90);
            return {h, w};
        case 2:
            canvas.translate(rect.left() + w, rect.top() + h);
            canvas.rotate(180);
            return {w, h};
        case 3:  // (x, y) -> (y, H - x)
            canvas.translate(rect.left(), rect.top() + h);
            canvas.rotate(270);
            return {h, w};
        default:
            canvas.translate(rect.left(), rect.top());
            return {w, h};
    }
}

void drawErrorText(QPainter& canvas, const QRect& rect, int rotation, int flags) {
    canvas.save();
    const QSize box = turnInto(canvas, rect, -rotation);
    int align = Qt::AlignHCenter | (flags & ~Qt::AlignHorizontal_Mask);
    if (!(flags & Qt::AlignVertical_Mask)) align |= Qt::AlignVCenter;
    // Like element text, a line too long for the box loses characters at its end.
    QString text = barcodeErrorText();
    const QFontMetrics metrics(canvas.font(), canvas.device());
    while (text.size() > 1 && metrics.horizontalAdvance(text) > box.width()) text.chop(1);
    canvas.setClipRect(QRect(QPoint(0, 0), box), Qt::IntersectClip);
    canvas.drawText(QRect(QPoint(0, 0), box), align, text);
    canvas.restore();
}

}  // namespace

QString barcodeErrorText() {
    return QStringLiteral("Chybná vstupní data pro čárový kód !");
}

bool DrawBarcode(QPainter& canvas, const QRect& rect, const QString& data, int rotation, int flags,
                 double scale, const QString& format) {
    const QPaintDevice* device = canvas.device();
    // The resolution along the bars' widths: across the device for upright
    // and upside-down symbols, down it for the turned ones.
    const bool upright = ((rotation % 4) + 4) % 4 % 2 == 0;
    const double dpi = !device   ? 96.0
                       : upright ? device->logicalDpiX()
                                 : device->logicalDpiY();
    return DrawBarcode(canvas, rect, data, rotation, flags, scale, format, dpi);
}

bool DrawBarcode(QPainter& canvas, const QRect& rect, const QString& data, int rotation, int flags,
                 double scale, const QString& format, double dpi) {
    if (format.isEmpty() || rect.isEmpty()) return false;
    rotation = ((rotation % 4) + 4) % 4;
    const auto f = BarcodeFormat::read(format);
    const auto symbol = f ? encodeBarcode(*f, data) : std::nullopt;
    if (!symbol) {
        drawErrorText(canvas, rect, rotation, flags);
        return false;
    }
    const QFontMetrics metrics(canvas.font(), canvas.device());

    canvas.save();
    const QSize box = turnInto(canvas, rect, rotation);
    const BarcodeLayout l = layoutBarcode(*symbol, *f, box, dpi, scale, metrics);
    const QRect whole(QPoint(0, 0), box);
    canvas.setClipRect(whole, Qt::IntersectClip);
    canvas.setRenderHint(QPainter::Antialiasing, false);
    // One brush for all the bars, each bar a rectangle of its own; the
    // texts in the pen's colour.
    const QPen textPen = canvas.pen();
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(colourTableEntry(f->backgroundColour));
    canvas.drawRect(whole);
    canvas.setBrush(colourTableEntry(f->barColour));
    for (const QRect& r : l.bars) canvas.drawRect(r);
    for (const QRect& r : l.bearers) canvas.drawRect(r);
    canvas.setPen(textPen);
    for (const BarcodeLayout::Text& t : l.texts)
        canvas.drawText(t.rect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, t.text);
    canvas.restore();
    return true;
}

}  // namespace dorvana

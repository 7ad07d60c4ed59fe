#include "report/render/page_canvas.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainterPath>
#include <QPen>
#include <cmath>
#include <algorithm>

#include "base/rounding.h"
#include "report/render/barcode/draw_barcode.h"
#include "report/render/draw_styles.h"
#include "report/layout/pages/printed_fonts.h"

namespace dorvana {

namespace {

constexpr int kAlignLeft = 0, kAlignRight = 1, kAlignCentre = 2;

}  // namespace

PageCanvas::PageCanvas(QPainter& painter, const DrawContext& context, DrawCache* cache)
    : p_(painter), ctx_(context), cache_(cache) {
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setBackgroundMode(Qt::TransparentMode);
}

QRect PageCanvas::elementBox(const TPrevPrvek& e) const {
    // Far beyond any sheet, yet sums of two stay within int.
    static constexpr int kLimit = 1 << 26;
    auto scaled = [](double v) { return std::clamp(roundHalfEven(v), -kLimit, kLimit); };
    return QRect(scaled((e.X + ctx_.ox) * ctx_.sx), scaled((e.Y + ctx_.oy) * ctx_.sy),
                 std::max(0, scaled(e.W * ctx_.sx)), std::max(0, scaled(e.H * ctx_.sy)));
}

void PageCanvas::drawElement(const TPrevPrvek& e) {
    const QRect box = elementBox(e);
    const int kind = e.kind();
    if (kind >= 1 && kind <= 6) {
        if (e.hasPicture()) {
            drawPicture(e, box);
            drawFrameLines(box, e.style().frame);
        } else {
            drawTextElement(e, box);
        }
    } else if (kind == 7) {
        drawLineBox(e, box);
    } else if (kind >= 8 && kind <= 10) {
        drawShape(e, box);
    } else if (kind == 11) {
        drawPicture(e, box);
    }
}

void PageCanvas::useFont(const QString& name, int pixelSize, QRgb colour, int style) {
    if (!haveFont_ || current_.pixelSize != pixelSize || current_.colour != colour ||
        current_.style != style || current_.name.compare(name, Qt::CaseInsensitive) != 0) {
        current_ = FontKey{name, pixelSize, colour, style};
        haveFont_ = true;
        if (cache_) {
            cachedFont_ = &cache_->font(p_.device(), name, pixelSize, style);
            font_ = cachedFont_->font;
            fm_ = &cachedFont_->metrics;
        } else {
            font_ = printedQFont(name, pixelSize, style);
            metrics_.emplace(font_, p_.device());
            fm_ = &*metrics_;
        }
        p_.setFont(font_);
        ++fontSwitches_;
    }
    // Text takes only the pen's colour (underlines its style too): a solid
    // line's pen of that colour serves as it is, which spares the canvas a
    // change of pen.
    const QPen& pen = p_.pen();
    if (pen.style() != Qt::SolidLine || pen.color().rgb() != (colour | 0xFF000000u))
        p_.setPen(QColor::fromRgb(colour));
}

void PageCanvas::drawTextElement(const TPrevPrvek& e, const QRect& box) {
    const PrintedStyle& s = e.style();
    QString name = s.font.name;
    QString text = e.text;
    int align = s.alignment & 3;
    if (ctx_.screen && !s.screenFont.isEmpty()) {
        name = s.screenFont;
        if (align == kAlignLeft) align = kAlignCentre;
        if (!s.barcodeByPrinter &&
            s.screenFont.compare(u"Barcode Display Font", Qt::CaseInsensitive) == 0)
            text = QString(text.size(), u' ');
    }
    const int points = roundHalfEven(s.font.size * ctx_.fontScale);
    useFont(name, fontPixelSize(points, ctx_.fontDpi), s.font.colour, s.font.style);

    if (e.memo) {
        drawMemoLines(e.lines, box, align, s.font.size);
    } else if (!s.barcodeFormat.isEmpty()) {
        const int flags = align == kAlignRight    ? Qt::AlignRight
                          : align == kAlignCentre ? Qt::AlignHCenter
                                                  : Qt::AlignLeft;
        if (ctx_.barcodeDpi > 0)
            drawFineBarcode(e, box, name, text, flags);
        else
            DrawBarcode(p_, box, text, s.rotation, flags, ctx_.barcodeScale, s.barcodeFormat);
    } else {
        drawTextIntoBox(text, box, s.rotation, align);
    }
    drawFrameLines(box, s.frame);
}

void PageCanvas::drawFineBarcode(const TPrevPrvek& e, const QRect& box, const QString& fontName,
                                 const QString& text, int flags) {
    // The box as a device of barcodeDpi sees it (its pixels a sheet's
    // 1/barcodeDpi in), drawn there as on that device and scaled onto the
    // canvas: bars and their texts where the printer puts them.
    const PrintedStyle& s = e.style();
    const double dpi = ctx_.barcodeDpi;
    const double fx = ctx_.sx * 100.0 / dpi, fy = ctx_.sy * 100.0 / dpi;
    if (fx <= 0 || fy <= 0) return;
    const QRect fine(0, 0, roundHalfEven(box.width() / fx), roundHalfEven(box.height() / fy));
    p_.save();
    p_.translate(box.topLeft());
    p_.scale(fx, fy);
    p_.setFont(printedQFont(fontName, fontPixelSize(s.font.size, dpi), s.font.style));
    DrawBarcode(p_, fine, text, s.rotation, flags, 1.0, s.barcodeFormat, dpi);
    p_.restore();
}

int PageCanvas::lineWidth(const QString& line, DrawCache::Text** entry) {
    if (!cache_) {
        *entry = nullptr;
        return fm_->horizontalAdvance(line);
    }
    *entry = &cache_->text(*cachedFont_, line);
    return (*entry)->width;
}

void PageCanvas::drawLine(const QString& line, DrawCache::Text* entry, QPoint point) {
    if (entry && cache_->drawShaped(p_, *entry, line, point)) return;
    p_.drawText(point, line);
}

void PageCanvas::drawTextIntoBox(const QString& text, const QRect& box, int rotation,
                                 int alignment) {
    const QFontMetrics& fm = *fm_;
    const int ascent = fm.ascent(), descent = fm.descent();
    const int height = ascent + descent;
    const bool hasDescent = descent > 0;
    const int rot = ((rotation % 4) + 4) % 4;
    const bool vertical = rot % 2 == 1;
    const int w = box.width(), h = box.height();
    // Further lines are drawn while at least this much room is left.
    const int minRoom = std::max(1, roundHalfEven(4 * (vertical ? ctx_.sx : ctx_.sy)));
    const int avail = vertical ? h : w;

    int offset = 0;
    QStringView rest(text);
    while (true) {
        const qsizetype br = rest.indexOf(u"\r\n");
        QString shown = (br < 0 ? rest : rest.left(br)).toString();
        DrawCache::Text* entry = nullptr;
        int lw = lineWidth(shown, &entry);
        if (lw > avail) {
            shown.truncate(entry ? cache_->fittedLength(*cachedFont_, *entry, shown, avail)
                                 : fittingTextLength(fm, shown, lw, avail));
            lw = lineWidth(shown, &entry);
        }

        int px = 0, py = 0, angle = 0;
        switch (rot) {
            case 0:
                py = hasDescent ? h * 5 / 6 + offset - ascent : offset;
                px = alignment == kAlignRight    ? w - lw
                     : alignment == kAlignCentre ? (w - lw) / 2
                                                 : 0;
                break;
            case 2:
                py = (hasDescent ? h / 6 + offset - descent : offset) + height;
                px = (alignment == kAlignLeft     ? w - lw
                      : alignment == kAlignCentre ? (w - lw) / 2
                                                  : 0) +
                     lw;
                angle = 180;
                break;
            case 1:
                px = hasDescent ? w * 5 / 6 + offset - ascent : offset;
                py = (alignment == kAlignLeft     ? h - lw
                      : alignment == kAlignCentre ? (h - lw) / 2
                                                  : 0) +
                     lw;
                angle = -90;
                break;
            default:
                px = (hasDescent ? w / 6 + offset - descent : offset) + height;
                py = alignment == kAlignRight    ? h - lw
                     : alignment == kAlignCentre ? (h - lw) / 2
                                                 : 0;
                angle = 90;
                break;
        }
        if (!shown.isEmpty()) {
            if (angle == 0) {
                drawLine(shown, entry, QPoint(box.left() + px, box.top() + py + ascent));
            } else {
                p_.save();
                p_.translate(box.left() + px, box.top() + py);
                p_.rotate(angle);
                p_.drawText(QPoint(0, ascent), shown);
                p_.restore();
            }
        }
        if (br < 0) break;
        rest = rest.mid(br + 2);
        offset += rot < 2 ? height : -height;
        const int room = (vertical ? w : h) - std::abs(offset);
        if (room < minRoom) break;
    }
}

void PageCanvas::drawMemoLines(const QStringList& lines, const QRect& box, int alignment,
                               int points) {
    const QFontMetrics& fm = *fm_;
    // One and a half times the font size per line, the size scaled like the box.
    const qint64 b = std::max(0, roundHalfEven(points * ctx_.sy));
    const int w = box.width(), h = box.height();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qint64 y = i * 3 * b / 2;
        if (y > h - b) break;
        const QString& line = lines[i];
        DrawCache::Text* entry = nullptr;
        const int lw = lineWidth(line, &entry);
        const int x = alignment == kAlignRight    ? w - lw
                      : alignment == kAlignCentre ? (w - lw) / 2
                                                  : 0;
        if (!line.isEmpty())
            drawLine(line, entry, QPoint(box.left() + x, box.top() + int(y) + fm.ascent()));
    }
}

void PageCanvas::drawFrameLines(const QRect& box, int frame) {
    if (!(frame & 15)) return;
    // A solid line one unit wide (at least a pixel) inside each chosen edge.
    const int vw = std::max(1, roundHalfEven(ctx_.sx));
    const int hw = std::max(1, roundHalfEven(ctx_.sy));
    const QColor black(Qt::black);
    if (frame & 1) p_.fillRect(QRect(box.left(), box.top(), vw, box.height()), black);
    if (frame & 2) p_.fillRect(QRect(box.left(), box.top(), box.width(), hw), black);
    if (frame & 4) p_.fillRect(QRect(box.right() + 1 - vw, box.top(), vw, box.height()), black);
    if (frame & 8) p_.fillRect(QRect(box.left(), box.bottom() + 1 - hw, box.width(), hw), black);
}

int PageCanvas::scaledLineWidth(int width) const {
    return std::clamp(roundHalfEven(width * (ctx_.sx + ctx_.sy) / 2), 1, 1 << 26);
}

void PageCanvas::drawLineBox(const TPrevPrvek& e, const QRect& box) {
    const PrintedStyle& s = e.style();
    const int pw = scaledLineWidth(s.lineWidth);
    QPen pen(QColor::fromRgb(s.lineColour), pw, linePenStyle(s.lineStyle), Qt::SquareCap,
             Qt::MiterJoin);
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
    const int l = box.left() + pw / 2, t = box.top() + pw / 2;
    const int r = box.left() + box.width() - (pw + 1) / 2;
    const int b = box.top() + box.height() - (pw + 1) / 2;
    if (s.frame & 1) p_.drawLine(l, b, l, t);
    if (s.frame & 2) p_.drawLine(l, t, r, t);
    if (s.frame & 4) p_.drawLine(r, t, r, b);
    if (s.frame & 8) p_.drawLine(r, b, l, b);
    if (s.diagonalLsPh) p_.drawLine(l, b, r, t);
    if (s.diagonalLhPs) p_.drawLine(l, t, r, b);
}

void PageCanvas::drawShape(const TPrevPrvek& e, const QRect& box) {
    const PrintedStyle& s = e.style();
    const Qt::BrushStyle fill = fillBrushStyle(s.fillStyle);
    const bool hatched = fill != Qt::SolidPattern && fill != Qt::NoBrush;
    if (hatched)
        p_.setBrush(Qt::NoBrush);
    else
        p_.setBrush(QBrush(QColor::fromRgb(s.fillColour), fill));
    int pw = 0;
    if (s.lineWidth > 0) {
        pw = scaledLineWidth(s.lineWidth);
        p_.setPen(QPen(QColor::fromRgb(s.lineColour), pw, Qt::SolidLine, Qt::SquareCap,
                       Qt::MiterJoin));
    } else {
        p_.setPen(Qt::NoPen);
    }
    const int l = box.left() + pw / 2, t = box.top() + pw / 2;
    const int r = box.left() + box.width() - (pw + 1) / 2;
    const int b = box.top() + box.height() - (pw + 1) / 2;
    const QRect inset(l, t, r - l, b - t);
    if (inset.width() <= 0 || inset.height() <= 0) return;
    const double radius = e.kind() == 9 ? roundedCornerSize(ctx_.sy, inset.height()) / 2.0 : 0.0;
    if (hatched) {
        QPainterPath area;
        if (e.kind() == 8)
            area.addRect(QRectF(inset));
        else if (e.kind() == 9)
            area.addRoundedRect(QRectF(inset), radius, radius);
        else
            area.addEllipse(QRectF(inset));
        drawHatch(area, inset, box.topLeft(), fill, s.fillColour);
    }
    if (e.kind() == 8)
        p_.drawRect(inset);
    else if (e.kind() == 9)
        p_.drawRoundedRect(inset, radius, radius);
    else
        p_.drawEllipse(inset);
}

void PageCanvas::drawHatch(const QPainterPath& area, const QRect& bounds, QPoint anchor,
                           Qt::BrushStyle style, QRgb colour) {
    // Lines 8 units apart and a unit wide whatever the resolution (pattern
    // brushes would keep their spacing in device pixels), anchored at the
    // element's corner: a frame's hatch looks the same wherever it stands on
    // a page, in the preview, on paper and in the designer.
    const double stepX = 8 * ctx_.sx, stepY = 8 * ctx_.sy;
    if (stepX < 2 || stepY < 2 || bounds.width() > (1 << 22) || bounds.height() > (1 << 22)) {
        p_.save();
        p_.setBrushOrigin(anchor);
        p_.fillPath(area, QBrush(QColor::fromRgb(colour), style));
        p_.restore();
        return;
    }
    p_.save();
    p_.setClipPath(area, Qt::IntersectClip);
    p_.translate(anchor);
    p_.setPen(QPen(QColor::fromRgb(colour), std::max(1, roundHalfEven(ctx_.sy)), Qt::SolidLine,
                   Qt::FlatCap));
    const double x0 = bounds.left() - anchor.x(), x1 = x0 + bounds.width();
    const double y0 = bounds.top() - anchor.y(), y1 = y0 + bounds.height();
    const bool horizontal = style == Qt::HorPattern || style == Qt::CrossPattern;
    const bool vertical = style == Qt::VerPattern || style == Qt::CrossPattern;
    const bool falling = style == Qt::FDiagPattern || style == Qt::DiagCrossPattern;  // "\"
    const bool rising = style == Qt::BDiagPattern || style == Qt::DiagCrossPattern;   // "/"
    if (horizontal)
        for (double y = std::ceil(y0 / stepY) * stepY; y < y1; y += stepY)
            p_.drawLine(QLineF(x0, y, x1, y));
    if (vertical)
        for (double x = std::ceil(x0 / stepX) * stepX; x < x1; x += stepX)
            p_.drawLine(QLineF(x, y0, x, y1));
    if (falling || rising) {
        // Diagonals at 45 degrees in units: y = c + x * (sy / sx) (falling)
        // or y = c - x * (sy / sx) (rising), c stepping by stepY.
        const double k = ctx_.sy / ctx_.sx;
        const double span = (x1 - x0) * k;
        if (falling) {
            const double cFrom = y0 - x1 * k, cTo = y1 - x0 * k;
            for (double c = std::floor(cFrom / stepY) * stepY; c <= cTo; c += stepY)
                p_.drawLine(QLineF(x0, c + x0 * k, x1, c + x0 * k + span));
        }
        if (rising) {
            const double cFrom = y0 + x0 * k, cTo = y1 + x1 * k;
            for (double c = std::floor(cFrom / stepY) * stepY; c <= cTo; c += stepY)
                p_.drawLine(QLineF(x0, c - x0 * k, x1, c - x0 * k - span));
        }
    }
    p_.restore();
}

void PageCanvas::drawPicture(const TPrevPrvek& e, const QRect& box) {
    if (!e.hasPicture()) return;
    const PrintedStyle& s = e.style();
    const bool stretch = s.diagonalLsPh, keepProportions = s.diagonalLhPs;
    const int align = s.alignment & 3;
    int l = box.left(), t = box.top();
    int r = l + box.width(), b = t + box.height();
    // One picture pixel is 0.01 in.
    const int w = roundHalfEven(e.picture.width() * ctx_.sx);
    const int h = roundHalfEven(e.picture.height() * ctx_.sy);
    auto placeWidth = [&](int width) {
        if (align == kAlignLeft) {
            r = l + width;
        } else if (align == kAlignRight) {
            l = r - width;
        } else {
            l = (l + r - width) / 2;
            r = l + width;
        }
    };
    if (!stretch) {
        b = t + h;
        placeWidth(w);
    } else if (keepProportions) {
        const int bw = r - l, bh = b - t;
        if (bw != 0 && bh != 0 && w != 0 && h != 0) {
            if (qint64(h) * bw > qint64(w) * bh)  // relatively taller than the box
                placeWidth(int(qint64(w) * bh / h));
            else
                b = t + int(qint64(bw) * h / w);
        }
    }
    if (r <= l || b <= t) return;
    p_.save();
    p_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p_.drawImage(QRect(l, t, r - l, b - t), e.picture);
    p_.restore();
}

}  // namespace dorvana

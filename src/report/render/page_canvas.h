#pragma once
// PageCanvas draws printed elements onto a QPainter by the drawing rules of
// printed pages: the element box, text (rotated, cut to fit, CR LF lines),
// memo lines, frame lines, line boxes, shapes, pictures and barcodes. The
// painter's device coordinates are device pixels; DrawContext turns template
// units into them.

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <optional>

#include "report/layout/pages/printed_element.h"
#include "report/render/draw_cache.h"
#include "report/render/draw_context.h"

namespace dorvana {

class PageCanvas {
public:
    // With a cache, fonts and texts met on earlier pages are not made,
    // measured and shaped again; the pixels are the same.
    PageCanvas(QPainter& painter, const DrawContext& context, DrawCache* cache = nullptr);

    const DrawContext& context() const { return ctx_; }

    // The element's box on the canvas: (X + ox) x sx, (Y + oy) x sy, W x sx,
    // H x sy, each rounded half to even.
    QRect elementBox(const TPrevPrvek& element) const;

    void drawElement(const TPrevPrvek& element);

    // How many times the canvas font was switched (runs of elements in one
    // font keep it).
    int fontSwitches() const { return fontSwitches_; }

private:
    struct FontKey {
        QString name;  // as given; compared ignoring case
        int pixelSize = 0;
        QRgb colour = 0;
        int style = 0;
    };

    void drawTextElement(const TPrevPrvek& e, const QRect& box);
    // A barcode laid out at the context's barcode resolution.
    void drawFineBarcode(const TPrevPrvek& e, const QRect& box, const QString& fontName,
                         const QString& text, int flags);
    // The width of a line of text in the canvas font and its cache entry.
    int lineWidth(const QString& line, DrawCache::Text** entry);
    // Draws a line of text with the left end of its baseline at point.
    void drawLine(const QString& line, DrawCache::Text* entry, QPoint point);
    void drawTextIntoBox(const QString& text, const QRect& box, int rotation, int alignment);
    void drawMemoLines(const QStringList& lines, const QRect& box, int alignment, int points);
    void drawFrameLines(const QRect& box, int frame);
    void drawLineBox(const TPrevPrvek& e, const QRect& box);
    void drawShape(const TPrevPrvek& e, const QRect& box);
    void drawPicture(const TPrevPrvek& e, const QRect& box);
    // Hatch lines inside area (within bounds), spaced from anchor.
    void drawHatch(const QPainterPath& area, const QRect& bounds, QPoint anchor,
                   Qt::BrushStyle style, QRgb colour);
    void useFont(const QString& name, int pixelSize, QRgb colour, int style);
    int scaledLineWidth(int width) const;

    QPainter& p_;
    DrawContext ctx_;
    FontKey current_;
    bool haveFont_ = false;
    QFont font_;
    std::optional<QFontMetrics> metrics_;  // the canvas font's, without a cache
    const QFontMetrics* fm_ = nullptr;      // the canvas font's
    DrawCache* cache_ = nullptr;
    const DrawCache::Font* cachedFont_ = nullptr;  // the canvas font in the cache
    int fontSwitches_ = 0;
};

}  // namespace dorvana

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
#include "report/render/draw_context.h"

namespace dorvana {

class PageCanvas {
public:
    PageCanvas(QPainter& painter, const DrawContext& context);

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
    void drawTextIntoBox(const QString& text, const QRect& box, int rotation, int alignment);
    void drawMemoLines(const QStringList& lines, const QRect& box, int alignment, int points);
    void drawFrameLines(const QRect& box, int frame);
    void drawLineBox(const TPrevPrvek& e, const QRect& box);
    void drawShape(const TPrevPrvek& e, const QRect& box);
    void drawPicture(const TPrevPrvek& e, const QRect& box);
    void drawHatch(const QPainterPath& area, const QRect& bounds, Qt::BrushStyle style,
                   QRgb colour);
    void useFont(const QString& name, int pixelSize, QRgb colour, int style);
    int scaledLineWidth(int width) const;

    QPainter& p_;
    DrawContext ctx_;
    FontKey current_;
    bool haveFont_ = false;
    QFont font_;
    std::optional<QFontMetrics> metrics_;
    int fontSwitches_ = 0;
};

}  // namespace dorvana

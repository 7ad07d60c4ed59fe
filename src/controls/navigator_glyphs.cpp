#include "controls/navigator_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "controls/navigator.h"

namespace dorvana {

namespace {

constexpr int kSize = 16;

// A triangle pointing left (dir -1) or right (dir 1) with its tip at x.
void triangle(QPainter& p, double x, int dir) {
    QPainterPath t;
    t.moveTo(x, 8);
    t.lineTo(x - dir * 5, 3);
    t.lineTo(x - dir * 5, 13);
    t.closeSubpath();
    p.fillPath(t, QColor(20, 20, 20));
}

void bar(QPainter& p, double x) {
    p.fillRect(QRectF(x, 3, 2, 10), QColor(20, 20, 20));
}

}  // namespace

QIcon navigatorGlyph(int index, bool vertical) {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (vertical && index <= nnLast) {
        // The horizontal glyph turned so that "back" points up.
        p.translate(kSize / 2.0, kSize / 2.0);
        p.rotate(90);
        p.translate(-kSize / 2.0, -kSize / 2.0);
    }
    switch (index) {
        case nnFirst: bar(p, 3); triangle(p, 5, -1); triangle(p, 6, -1); break;
        case nnPageUp: triangle(p, 3, -1); triangle(p, 9, -1); break;
        case nnPrior: triangle(p, 5, -1); break;
        case nnNext: triangle(p, 11, 1); break;
        case nnPageDn: triangle(p, 7, 1); triangle(p, 13, 1); break;
        case nnLast: triangle(p, 11, 1); bar(p, 11); break;
        case nnInsert:
            p.fillRect(QRectF(7, 2, 2, 12), QColor(0, 90, 0));
            p.fillRect(QRectF(2, 7, 12, 2), QColor(0, 90, 0));
            break;
        case nnDelete: p.fillRect(QRectF(2, 7, 12, 2), QColor(160, 0, 0)); break;
        case nnEdit: {
            p.setPen(QPen(QColor(20, 20, 20), 1.5));
            p.drawLine(QPointF(3, 13), QPointF(12, 4));
            p.drawLine(QPointF(3, 13), QPointF(5.5, 13));
            break;
        }
        case nnPost:
            p.setPen(QPen(QColor(0, 110, 0), 2));
            p.drawLine(QPointF(3, 8), QPointF(6.5, 12));
            p.drawLine(QPointF(6.5, 12), QPointF(13, 4));
            break;
        case nnCancel:
            p.setPen(QPen(QColor(160, 0, 0), 2));
            p.drawLine(QPointF(4, 4), QPointF(12, 12));
            p.drawLine(QPointF(12, 4), QPointF(4, 12));
            break;
        case nnRefresh:
            p.setPen(QPen(QColor(20, 20, 120), 1.5));
            p.drawArc(QRectF(3, 3, 10, 10), 60 * 16, 280 * 16);
            p.fillRect(QRectF(10, 2, 3, 3), QColor(20, 20, 120));
            break;
        case nnFind:
            p.setPen(QPen(QColor(20, 20, 20), 1.5));
            p.drawEllipse(QRectF(3, 3, 7, 7));
            p.drawLine(QPointF(9.5, 9.5), QPointF(13.5, 13.5));
            break;
    }
    p.end();
    return QIcon(pm);
}

}  // namespace dorvana

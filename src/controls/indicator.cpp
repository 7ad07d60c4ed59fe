#include "controls/indicator.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

namespace dorvana {

int indicatorGlyph(bool current, RowState state, bool marked, bool checkedSignum) {
    int g = -1;
    if (current) g = state == RowState::Edit ? 1 : state == RowState::Insert ? 2 : 0;
    if (marked && checkedSignum) g = g < 0 ? 3 : g + 4;
    return g;
}

QRect indicatorFillRect(const QRect& cell, bool bothLines) {
    return bothLines ? cell.adjusted(1, 1, -1, -1) : cell;
}

QRect indicatorGlyphRect(const QRect& cell, const QSize& glyph, bool bothLines) {
    const QRect r = indicatorFillRect(cell, bothLines);
    const int margin = bothLines ? 1 : 2;
    const int right = r.x() + r.width() - margin;  // one past the glyph's last column
    const int top = r.y() + (r.height() - glyph.height()) / 2;
    return QRect(right - glyph.width(), top, glyph.width(), glyph.height());
}

namespace {

constexpr int kSize = 11;

void drawArrow(QPainter& p, int x) {
    QPainterPath tri;
    tri.moveTo(x, 1);
    tri.lineTo(x + 5, 5.5);
    tri.lineTo(x, 10);
    tri.closeSubpath();
    p.fillPath(tri, Qt::black);
}

void drawEditSign(QPainter& p, int x) {
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(x + 2, 1, x + 2, 9);
    p.drawLine(x, 1, x + 4, 1);
    p.drawLine(x, 9, x + 4, 9);
}

void drawInsertSign(QPainter& p, int x) {
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(x + 2, 2, x + 2, 9);
    p.drawLine(x - 1, 5, x + 5, 5);
    p.drawLine(x, 3, x + 4, 8);
    p.drawLine(x + 4, 3, x, 8);
}

void drawCheck(QPainter& p, int x) {
    p.setPen(QPen(QColor(0, 96, 0), 2));
    p.drawLine(x, 5, x + 2, 8);
    p.drawLine(x + 2, 8, x + 6, 2);
}

QPixmap makeGlyph(int index) {
    const int width = index >= 4 ? kSize * 2 - 4 : kSize;
    QPixmap pm(width, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const int signX = index >= 4 ? kSize - 3 : 3;
    switch (index) {
        case 0: drawArrow(p, 3); break;
        case 1: drawEditSign(p, 3); break;
        case 2: drawInsertSign(p, 3); break;
        case 3: drawCheck(p, 2); break;
        case 4: drawCheck(p, 0); drawArrow(p, signX + 2); break;
        case 5: drawCheck(p, 0); drawEditSign(p, signX + 1); break;
        case 6: drawCheck(p, 0); drawInsertSign(p, signX + 2); break;
    }
    return pm;
}

}  // namespace

const QPixmap& indicatorGlyphPixmap(int index) {
    static std::array<QPixmap, 7> glyphs;
    static bool made = false;
    if (!made) {
        for (int i = 0; i < 7; ++i) glyphs[size_t(i)] = makeGlyph(i);
        made = true;
    }
    return glyphs[size_t(std::clamp(index, 0, 6))];
}

}  // namespace dorvana

#include "report/render/draw_cache.h"

#include <QPaintDevice>
#include <QTextLayout>

#include "report/layout/pages/printed_fonts.h"

namespace dorvana {

namespace {

// Texts kept between pages; beyond this the cache starts again (labels
// whose texts never repeat would otherwise fill the memory).
constexpr size_t kMaxTexts = 50000;

// Whether the glyphs QTextLayout shapes for text are those drawText draws:
// one line of left-to-right text without tabs or other control characters.
bool shapesAlike(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.isSurrogate() ||
            c.unicode() == 0x2028 || c.unicode() == 0x2029)
            return false;
        switch (c.direction()) {
            case QChar::DirR:
            case QChar::DirAL:
            case QChar::DirAN:
            case QChar::DirRLE:
            case QChar::DirRLO:
            case QChar::DirRLI:
            case QChar::DirLRE:
            case QChar::DirLRO:
            case QChar::DirLRI:
            case QChar::DirFSI:
            case QChar::DirPDF:
            case QChar::DirPDI:
                return false;
            default:
                break;
        }
    }
    return true;
}

// The glyph runs of text in the painter's font, placed for a baseline at y = 0.
QList<QGlyphRun> shape(const QPainter& painter, const QString& text) {
    const QFont& font = painter.font();
    // Decorations are drawn along with the text by drawText.
    if (font.underline() || font.strikeOut() || font.overline()) return {};
    if (painter.layoutDirection() != Qt::LeftToRight || !shapesAlike(text)) return {};
    QTextLayout layout(text, font, painter.device());
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) return {};
    line.setNumColumns(int(text.size()));
    layout.endLayout();
    if (layout.lineCount() != 1 || line.textLength() != text.size()) return {};
    QList<QGlyphRun> runs = line.glyphRuns();
    const qreal ascent = line.ascent();
    for (QGlyphRun& run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& p : positions) p.ry() -= ascent;
        run.setPositions(positions);
    }
    return runs;
}

}  // namespace

int fittingTextLength(const QFontMetrics& fm, QStringView line, int width, int avail) {
    if (width <= avail) return int(line.size());
    int lo = 0, hi = int(line.size()) - 1;  // the answer lies in [lo, hi]
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (fm.horizontalAdvance(line.left(mid).toString()) <= avail)
            lo = mid;
        else
            hi = mid - 1;
    }
    // Never keep half of a surrogate pair.
    if (lo > 0 && line[lo - 1].isHighSurrogate()) --lo;
    return lo;
}

size_t DrawCache::TextKeyHash::operator()(const TextKey& k) const noexcept {
    return qHashMulti(0, k.font, k.text);
}

size_t DrawCache::FontKeyHash::operator()(const FontKey& k) const noexcept {
    return qHashMulti(0, k.name, k.pixelSize, k.style);
}

void DrawCache::useDevice(const QPaintDevice* device) {
    const int dpiX = device ? device->logicalDpiX() : 0;
    const int dpiY = device ? device->logicalDpiY() : 0;
    if (dpiX == dpiX_ && dpiY == dpiY_) return;
    texts_.clear();
    fontIndex_.clear();
    fonts_.clear();
    dpiX_ = dpiX;
    dpiY_ = dpiY;
}

const DrawCache::Font& DrawCache::font(const QPaintDevice* device, const QString& name,
                                       int pixelSize, int style) {
    useDevice(device);
    auto [it, added] =
        fontIndex_.try_emplace(FontKey{name.toCaseFolded(), pixelSize, style}, int(fonts_.size()));
    if (added) {
        fonts_.push_back(std::make_unique<Font>(printedQFont(name, pixelSize, style), device));
        fonts_.back()->id = it->second;
    }
    return *fonts_[it->second];
}

DrawCache::Text& DrawCache::text(const Font& font, const QString& text) {
    auto [it, added] = texts_.try_emplace(TextKey{font.id, text});
    if (added) it->second.width = font.metrics.horizontalAdvance(text);
    return it->second;
}

int DrawCache::fittedLength(const Font& font, Text& entry, const QString& text, int avail) {
    if (entry.fitAvail != avail) {
        entry.fitAvail = avail;
        entry.fitLength = fittingTextLength(font.metrics, text, entry.width, avail);
    }
    return entry.fitLength;
}

bool DrawCache::drawShaped(QPainter& painter, Text& entry, const QString& text, QPoint point) {
    if (++entry.draws < 2) return false;
    if (!entry.shaped) {
        entry.shaped = true;
        entry.runs = shape(painter, text);
    }
    if (entry.runs.isEmpty()) return false;
    for (const QGlyphRun& run : entry.runs) painter.drawGlyphRun(QPointF(point), run);
    return true;
}

void DrawCache::endPage() {
    if (texts_.size() > kMaxTexts) texts_.clear();
}

}  // namespace dorvana

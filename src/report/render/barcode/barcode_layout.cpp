#include "report/render/barcode/barcode_layout.h"

#include <algorithm>
#include <cmath>

#include "base/rounding.h"

namespace dorvana {

namespace {

// Widths beyond this many pixels make no sense on any device; keeping below
// it keeps the arithmetic far from overflow for any format.
constexpr int kMaxNarrowPixels = 10000;

bool isUpcEan(Symbology s) {
    return static_cast<int>(s) <= static_cast<int>(Symbology::Ean13);
}

QRect clampedRect(qint64 x, qint64 y, qint64 w, qint64 h) {
    constexpr qint64 kLimit = 1 << 28;
    x = std::clamp<qint64>(x, -kLimit, kLimit);
    w = std::clamp<qint64>(w, 0, kLimit);
    return QRect(int(x), int(y), int(w), int(h));
}

}  // namespace

int narrowBarPixels(int widthThousandths, double dpi, double ratio) {
    double b = roundHalfEven(widthThousandths / 1000.0 * dpi);
    if (b < ratio) b = roundHalfEven(ratio);
    const double least = std::max(1.0, dpi / 100.0);
    if (b < least) b = roundHalfEven(least);
    return std::clamp(int(b), 1, kMaxNarrowPixels);
}

BarcodeLayout layoutBarcode(const BarcodeSymbol& symbol, const BarcodeFormat& format, QSize box,
                            double dpi, double scale, const QFontMetrics& metrics) {
    BarcodeLayout l;
    const int margin = box.height() / 10;
    l.area = QRect(0, margin, box.width(), std::max(0, box.height() - 2 * margin));

    const double ratio = symbol.usesRatio ? format.ratio : 1.0;
    const double scaled = std::isfinite(scale) ? format.narrowWidth * scale : 0;
    const int width = roundHalfEven(std::clamp(scaled, 0.0, 1e6));
    l.narrowBar = narrowBarPixels(width, dpi, ratio);
    l.narrowSpace = std::max(1, roundHalfEven(l.narrowBar / ratio));
    const int b = l.narrowBar;

    // Element positions; the symbol is centred when it is narrower than the area.
    const qsizetype n = symbol.elements.size();
    QList<qint64> x(n + 1);
    for (qsizetype i = 0; i < n; ++i) {
        const BarElement& e = symbol.elements[i];
        x[i + 1] = x[i] + qint64(e.units) * (e.bar ? l.narrowBar : l.narrowSpace);
    }
    l.symbolWidth = x[n];
    l.symbolLeft = l.symbolWidth < l.area.width() ? (l.area.width() - l.symbolWidth) / 2 : 0;
    for (qint64& v : x) v += l.symbolLeft;

    const int t = metrics.height();
    l.textHeight = t;
    const bool showText = format.showText && symbol.textNotEmpty;
    int barTop = l.area.top();
    int barHeight = showText ? l.area.height() - (t + t / 4) : l.area.height();
    const bool bearers = format.bearerBars && format.symbology == Symbology::Interleaved2of5;
    if (bearers) {
        barHeight -= 6 * b;
        const qint64 left = l.symbolLeft - b;
        const qint64 right = l.symbolLeft + l.symbolWidth + b;
        l.bearers.append(clampedRect(left, barTop, right - left, 3 * b));
        l.bearers.append(
            clampedRect(left, barTop + 3 * b + std::max(0, barHeight), right - left, 3 * b));
        barTop += 3 * b;
    }
    barHeight = std::max(0, barHeight);
    const int guardExtra =
        format.tallGuardBars && isUpcEan(format.symbology) ? std::min(barHeight / 10, t / 4) : 0;
    const int addOnTop = showText ? l.area.top() + t + t / 4 : l.area.top();

    // Bars beyond the right edge of the box are not drawn anyway.
    for (qsizetype i = 0; i < n && x[i] < box.width(); ++i) {
        const BarElement& e = symbol.elements[i];
        if (!e.bar || x[i + 1] <= 0) continue;
        if (e.addOn) {
            const int bottom = barTop + barHeight + guardExtra;
            l.bars.append(
                clampedRect(x[i], addOnTop, x[i + 1] - x[i], std::max(0, bottom - addOnTop)));
        } else {
            l.bars.append(
                clampedRect(x[i], barTop, x[i + 1] - x[i], barHeight + (e.guard ? guardExtra : 0)));
        }
    }

    if (showText) {
        const int textTop = l.area.bottom() + 1 - t;
        for (const BarcodeText& part : symbol.texts) {
            if (part.first < 0 || part.last >= n || part.first > part.last) continue;
            const qint64 from = x[part.first];
            const qint64 to = x[part.last + 1];
            const qint64 w = metrics.horizontalAdvance(part.text);
            qint64 left;
            int top = textTop;
            switch (part.place) {
                case BarcodeText::Place::LeftOf:
                    left = from - b - w;
                    break;
                case BarcodeText::Place::RightOf:
                    left = to + b;
                    break;
                case BarcodeText::Place::Above:
                    left = (from + to - w) / 2;
                    top = l.area.top();
                    break;
                default:
                    left = (from + to - w) / 2;
                    break;
            }
            l.texts.append({clampedRect(left, top, w, t), part.text});
        }
    }
    return l;
}

}  // namespace dorvana

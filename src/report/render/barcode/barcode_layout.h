#pragma once
// Where the bars and texts of a barcode go in an element's box, in device
// pixels, with the box's top left corner at (0, 0) and the symbol upright.

#include <QFontMetrics>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include "report/render/barcode/barcode_format.h"
#include "report/render/barcode/barcode_symbol.h"

namespace dorvana {

struct BarcodeLayout {
    struct Text {
        QRect rect;  // the text's own width and the line's height
        QString text;
    };
    int narrowBar = 0;    // b, device pixels
    int narrowSpace = 0;  // b / ratio, rounded
    int textHeight = 0;   // height of "Yg0" in the font
    QRect area;           // the box less its 10 % margins at top and bottom
    qint64 symbolLeft = 0;
    qint64 symbolWidth = 0;  // sum of all elements, the add-on included
    QList<QRect> bars;       // bars that lie in the box (bars far right are left out)
    QList<QRect> bearers;
    QList<Text> texts;
};

// Narrow bar width in device pixels for a narrowest-element width in
// thousandths of an inch (already scaled), the resolution in dots per inch
// and the bar-to-space ratio in effect.
int narrowBarPixels(int widthThousandths, double dpi, double ratio);

// Lays out the symbol in a box of the given size. dpi is the resolution
// along the bars' widths, scale the caller's drawing scale, metrics those
// of the element's font on the device.
BarcodeLayout layoutBarcode(const BarcodeSymbol& symbol, const BarcodeFormat& format, QSize box,
                            double dpi, double scale, const QFontMetrics& metrics);

}  // namespace dorvana

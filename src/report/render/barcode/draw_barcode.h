#pragma once
// Drawing a text element as a barcode, the same for the designer, the
// preview and the printer.

#include <QPainter>
#include <QRect>
#include <QString>

namespace dorvana {

// The text drawn instead of a barcode whose data or format cannot be used.
QString barcodeErrorText();

// Draws the barcode of data into rect (device pixels) of the canvas, turned
// clockwise by rotation x 90 degrees. The canvas's font is the element's
// font (used for the text under the bars) and its pen colour the font
// colour. The canvas is not scaled: rect and the device's resolution decide
// the pixels. scale multiplies the narrowest-element width of the format: 1
// gives its true width on the device (the printer), the designer and the
// preview pass their zoom. flags are Qt text flags for the error text (it
// is always centred horizontally; vertically centred unless flags say
// otherwise). An empty format draws nothing.
// Data or a format that cannot be encoded draws barcodeErrorText() turned
// counter-clockwise by rotation x 90 degrees, like element text.
// Returns true when a barcode was drawn.
bool DrawBarcode(QPainter& canvas, const QRect& rect, const QString& data, int rotation, int flags,
                 double scale, const QString& format);

// The same at a given resolution (dots per inch of rect's pixels) in place
// of the device's: for a canvas scaled to another device, such as the
// preview showing the bars as a fine printer rounds them.
bool DrawBarcode(QPainter& canvas, const QRect& rect, const QString& data, int rotation, int flags,
                 double scale, const QString& format, double dpi);

}  // namespace dorvana

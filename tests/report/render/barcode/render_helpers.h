#pragma once
// Rendering barcode elements into images and reading them back with zbarimg.

#include <QImage>
#include <QString>
#include <QStringList>
#include <string>

namespace dorvana::test {

struct ElementImage {
    QImage image;
    QRect element;  // the element's box inside the image
    bool drawn = false;
};

// Draws one barcode element of size (0.01 in) at dpi into an image with a
// white border of borderUnits around it (the quiet zone a scanner needs).
ElementImage renderBarcodeElement(const QString& format, const QString& data, QSize units, int dpi,
                                  int rotation, int borderUnits = 25, int fontPoints = 10);

// Whether zbarimg can be run.
bool zbarAvailable();

// The symbols zbarimg finds in the image, each "TYPE:data", sorted and
// joined by " | "; add-ons enabled.
std::string zbarDecode(const QImage& image);

}  // namespace dorvana::test

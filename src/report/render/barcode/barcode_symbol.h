#pragma once
// A barcode as a sequence of bars and spaces, independent of any drawing
// device: what an encoder produces and the drawing routine lays out.

#include <QList>
#include <QString>

namespace dorvana {

// One bar or space. Its width is counted in units: modules for UPC/EAN,
// Code 93 and Code 128 (1..4), narrow = 1 and wide = 2 for the two-width
// symbologies (Interleaved 2 of 5, Codabar, Code 11, Code 39).
struct BarElement {
    bool bar = false;
    quint8 units = 1;
    bool guard = false;  // UPC/EAN guard bars (and UPC-A's outer digits): may reach lower
    bool addOn = false;  // part of the EAN-2/EAN-5 add-on (its leading gap included)

    bool operator==(const BarElement&) const = default;
};

// A piece of human-readable text and where it stands relative to the
// elements [first, last] (indexes into BarcodeSymbol::elements).
struct BarcodeText {
    enum class Place {
        Below,    // centred under the elements
        LeftOf,   // ending just left of the first element
        RightOf,  // starting just right of the last element
        Above,    // centred above the elements (add-on digits)
    };
    QString text;
    Place place = Place::Below;
    int first = 0;
    int last = 0;

    bool operator==(const BarcodeText&) const = default;
};

struct BarcodeSymbol {
    QList<BarElement> elements;  // starts and ends with a bar (add-on included)
    QList<BarcodeText> texts;
    // The characters the symbol carries, as a scanner reads them, with the
    // added characters: start/stop ("*" of Code 39, Codabar's letters), the
    // leading "0" of Interleaved 2 of 5 and the check characters. Code 128
    // and Code 93 give only their data; the add-on follows after a blank.
    QString encoded;
    bool usesRatio = false;  // the bar-to-space ratio applies (UPC/EAN, Codabar)
    bool hasAddOn = false;
    bool textNotEmpty = false;  // the code has something to show under the bars

    int totalUnits(bool bars) const {
        int n = 0;
        for (const BarElement& e : elements)
            if (e.bar == bars) n += e.units;
        return n;
    }
};

}  // namespace dorvana

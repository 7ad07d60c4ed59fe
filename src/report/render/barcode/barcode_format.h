#pragma once
// The barcode format of a text element (BcFormat): a 20-character text with
// fixed positions that turns the element's text into a barcode.
//
//   1-2 symbology   3 text under the bars   4 start/stop characters in the text
//   5 tall guard bars   6 bearer bars   7 check character   8 Code 128 set (0 A, 1 B, 2 C)
//   9-11 narrowest element in 0.001 in   12-14 bar-to-space ratio ("001", "2,5")
//   15-16 bar colour   17-18 background colour   19 add-on separator   20 EAN 128

#include <QColor>
#include <QList>
#include <QString>
#include <optional>

namespace dorvana {

enum class Symbology {
    UpcA = 0,
    UpcE = 1,
    Ean8 = 2,
    Ean13 = 3,
    Interleaved2of5 = 4,
    Codabar = 5,
    Code11 = 6,
    Code39 = 7,
    Code93 = 8,
    Code128 = 9,
};
inline constexpr int kSymbologyCount = 10;

// The list "Typ čárového kódu", indexed by symbology.
const QStringList& symbologyNames();

// The fixed 16-colour table of templates and its Czech names.
QColor colourTableEntry(int index);  // index outside 0..15 gives black
const QStringList& colourTableNames();

struct BarcodeFormat {
    Symbology symbology = Symbology::Ean13;
    bool showText = true;         // "Zobrazit popis"
    bool showStartStop = false;   // "Zobrazit Start/Stop znak"
    bool tallGuardBars = true;    // "Dlouhé Start/Stop čáry"
    bool bearerBars = false;      // "Zobrazit nosnou čáru"
    bool checkCharacter = false;  // "Kontrolní součet"
    int code128Set = 0;           // 0 A, 1 B, 2 C
    int narrowWidth = 12;         // thousandths of an inch
    double ratio = 1.0;           // bar width / space width
    int barColour = 0;            // colour table index
    int backgroundColour = 15;
    QChar addOnSeparator = u'#';
    bool ean128 = false;

    // The 20-character text. The ratio is written with at most one decimal,
    // cut or filled with leading zeros to three characters ("001", "2,5").
    QString toText(QChar decimalSeparator) const;
    // Same, with the decimal separator of the formatting settings in force.
    QString toText() const;

    // Reads a format for drawing: at least 20 characters (more are ignored),
    // flags are yes for every character but "0", the ratio may use "," or ".".
    // Nothing when a numeric field is not a number, the symbology or a colour
    // is outside its table, or the ratio is not above zero.
    static std::optional<BarcodeFormat> read(const QString& text);

    // Reads a format into the barcode dialog: exactly 20 characters, and
    // besides the rules of read() the width must be 1..999 and the ratio
    // 0.1..5.0, the ranges the dialog's controls take. An empty text (an
    // element drawn as text) gives the initial values.
    static std::optional<BarcodeFormat> readForDialog(const QString& text);

    bool operator==(const BarcodeFormat&) const = default;
};

// The sample text of the barcode dialog: the code "123456789012" followed,
// when the element's text holds the separator, by the separator and the
// sample add-on "12" (fewer than three characters after the separator) or
// "12345".
QString barcodeDialogSample(const QString& elementText, QChar separator);

}  // namespace dorvana

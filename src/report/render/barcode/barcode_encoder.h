#pragma once
// Encoders: (symbology, data, options) -> bars and spaces with their texts.

#include <QString>
#include <optional>

#include "report/render/barcode/barcode_format.h"
#include "report/render/barcode/barcode_symbol.h"

namespace dorvana {

struct BarcodeOptions {
    bool checkCharacter = false;  // Interleaved 2 of 5 (mod 10), Code 11 (C and K)
    bool showStartStop = false;   // Code 39 "*" and Codabar start/stop in the text
    int code128Set = 0;           // 0 A, 1 B, 2 C
    bool ean128 = false;          // FNC1 after the Code 128 start character
};

// Splits the element's text at the first separator into the main code and
// the add-on (empty when there is no separator).
struct SplitData {
    QString main;
    QString addOn;
};
SplitData splitBarcodeData(const QString& text, QChar separator);

// Encodes the main code, and for UPC/EAN an add-on of exactly 2 or 5
// digits (any other add-on is left out). Nothing when the main code does
// not fit the symbology: a character outside its set or a wrong length.
std::optional<BarcodeSymbol> encodeBarcode(Symbology symbology, const QString& main,
                                           const QString& addOn, const BarcodeOptions& options);

// The same for a whole element text and its format.
std::optional<BarcodeSymbol> encodeBarcode(const BarcodeFormat& format, const QString& text);

// Check digit of UPC/EAN (weights 3 and 1 from the right) over digits only.
int eanCheckDigit(const QString& digits);

// The individual symbologies (main code only).
std::optional<BarcodeSymbol> encodeUpcA(const QString& data);
std::optional<BarcodeSymbol> encodeUpcE(const QString& data);
std::optional<BarcodeSymbol> encodeEan8(const QString& data);
std::optional<BarcodeSymbol> encodeEan13(const QString& data);
std::optional<BarcodeSymbol> encodeInterleaved2of5(const QString& data, bool check);
std::optional<BarcodeSymbol> encodeCodabar(const QString& data, bool showStartStop);
std::optional<BarcodeSymbol> encodeCode11(const QString& data, bool check);
std::optional<BarcodeSymbol> encodeCode39(const QString& data, bool showStartStop);
std::optional<BarcodeSymbol> encodeCode93(const QString& data);
std::optional<BarcodeSymbol> encodeCode128(const QString& data, int set, bool ean128);

// Appends the EAN-2 or EAN-5 add-on (with its 7-module gap) to a UPC/EAN
// symbol; false (symbol unchanged) unless the add-on is 2 or 5 digits.
bool appendEanAddOn(BarcodeSymbol& symbol, const QString& addOn);

}  // namespace dorvana

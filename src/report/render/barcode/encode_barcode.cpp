#include "report/render/barcode/barcode_encoder.h"

namespace dorvana {

SplitData splitBarcodeData(const QString& text, QChar separator) {
    const qsizetype at = text.indexOf(separator);
    if (at < 0) return {text, {}};
    return {text.left(at), text.mid(at + 1)};
}

std::optional<BarcodeSymbol> encodeBarcode(Symbology symbology, const QString& main,
                                           const QString& addOn, const BarcodeOptions& o) {
    std::optional<BarcodeSymbol> s;
    switch (symbology) {
        case Symbology::UpcA:
            s = encodeUpcA(main);
            break;
        case Symbology::UpcE:
            s = encodeUpcE(main);
            break;
        case Symbology::Ean8:
            s = encodeEan8(main);
            break;
        case Symbology::Ean13:
            s = encodeEan13(main);
            break;
        case Symbology::Interleaved2of5:
            return encodeInterleaved2of5(main, o.checkCharacter);
        case Symbology::Codabar:
            return encodeCodabar(main, o.showStartStop);
        case Symbology::Code11:
            return encodeCode11(main, o.checkCharacter);
        case Symbology::Code39:
            return encodeCode39(main, o.showStartStop);
        case Symbology::Code93:
            return encodeCode93(main);
        case Symbology::Code128:
            return encodeCode128(main, o.code128Set, o.ean128);
    }
    if (s && !addOn.isEmpty()) appendEanAddOn(*s, addOn);
    return s;
}

std::optional<BarcodeSymbol> encodeBarcode(const BarcodeFormat& format, const QString& text) {
    const SplitData parts = splitBarcodeData(text, format.addOnSeparator);
    BarcodeOptions o;
    o.checkCharacter = format.checkCharacter;
    o.showStartStop = format.showStartStop;
    o.code128Set = format.code128Set;
    o.ean128 = format.ean128;
    return encodeBarcode(format.symbology, parts.main, parts.addOn, o);
}

}  // namespace dorvana

// UPC-A, UPC-E, EAN-8 and EAN-13 with the EAN-2 and EAN-5 add-ons.
#include "report/render/barcode/barcode_encoder.h"
#include "report/render/barcode/symbol_builder.h"

namespace dorvana {

namespace {

// Set A (odd parity) of a digit as space-bar-space-bar widths; set C (right
// half) has the same widths beginning with a bar, set B (even parity) the
// reversed widths beginning with a space.
constexpr const char* kSetA[10] = {"3211", "2221", "2122", "1411", "1132",
                                   "1231", "1114", "1312", "1213", "3112"};
constexpr const char* kSetB[10] = {"1123", "1222", "2212", "1141", "2311",
                                   "1321", "4111", "2131", "3121", "2113"};
// Parity of the left six digits of EAN-13 by its first digit (A odd, B even).
constexpr const char* kEan13Parity[10] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                          "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
// Parity of UPC-E (number system 0) by the check digit.
constexpr const char* kUpcEParity[10] = {"BBBAAA", "BBABAA", "BBAABA", "BBAAAB", "BABBAA",
                                         "BAABBA", "BAAABB", "BABABA", "BABAAB", "BAABAB"};
constexpr const char* kEan5Parity[10] = {"BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA",
                                         "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB"};
constexpr const char* kEan2Parity[4] = {"AA", "AB", "BA", "BB"};

int digitAt(const QString& s, int i) {
    return s[i].unicode() - u'0';
}

void addLeftDigit(SymbolBuilder& b, int digit, char parity, bool guard = false) {
    b.add(parity == 'A' ? kSetA[digit] : kSetB[digit], false, guard);
}
void addRightDigit(SymbolBuilder& b, int digit, bool guard = false) {
    b.add(kSetA[digit], true, guard);
}

// Takes n digits as they are or n - 1 digits with the check digit computed.
std::optional<QString> withCheckDigit(const QString& data, int n) {
    if (!isAsciiDigits(data)) return std::nullopt;
    if (data.size() == n) return data;
    if (data.size() == n - 1) return data + QChar(u'0' + eanCheckDigit(data));
    return std::nullopt;
}

// EAN-13 bars of 13 digits; UPC-A is the same symbol with a leading 0.
BarcodeSymbol ean13Bars(const QString& code, bool upcA) {
    BarcodeSymbol s;
    s.usesRatio = true;
    s.textNotEmpty = true;
    SymbolBuilder b(s);
    const char* parity = kEan13Parity[digitAt(code, 0)];
    b.add("111", true, true);
    for (int i = 1; i <= 6; ++i) addLeftDigit(b, digitAt(code, i), parity[i - 1], upcA && i == 1);
    b.add("11111", false, true);
    for (int i = 7; i <= 12; ++i) addRightDigit(b, digitAt(code, i), upcA && i == 12);
    b.add("111", true, true);
    return s;
}

}  // namespace

int eanCheckDigit(const QString& digits) {
    int sum = 0;
    for (qsizetype i = digits.size() - 1, w = 3; i >= 0; --i, w = 4 - w)
        sum = (sum + (digits[i].unicode() - u'0') * w) % 10;
    return (10 - sum % 10) % 10;
}

std::optional<BarcodeSymbol> encodeEan13(const QString& data) {
    const auto code = withCheckDigit(data, 13);
    if (!code) return std::nullopt;
    BarcodeSymbol s = ean13Bars(*code, false);
    s.encoded = *code;
    // Elements: start guard 0-2, left digits 3-26, centre 27-31, right 32-55, end 56-58.
    using P = BarcodeText::Place;
    s.texts = {{code->left(1), P::LeftOf, 0, 0},
               {code->mid(1, 6), P::Below, 3, 26},
               {code->mid(7, 6), P::Below, 32, 55}};
    return s;
}

std::optional<BarcodeSymbol> encodeUpcA(const QString& data) {
    const auto code = withCheckDigit(data, 12);
    if (!code) return std::nullopt;
    BarcodeSymbol s = ean13Bars(u'0' + *code, true);
    s.encoded = *code;
    using P = BarcodeText::Place;
    s.texts = {{code->left(1), P::LeftOf, 0, 0},
               {code->mid(1, 5), P::Below, 7, 26},
               {code->mid(6, 5), P::Below, 32, 51},
               {code->right(1), P::RightOf, 58, 58}};
    return s;
}

std::optional<BarcodeSymbol> encodeEan8(const QString& data) {
    const auto code = withCheckDigit(data, 8);
    if (!code) return std::nullopt;
    BarcodeSymbol s;
    s.usesRatio = true;
    s.textNotEmpty = true;
    s.encoded = *code;
    SymbolBuilder b(s);
    b.add("111", true, true);
    for (int i = 0; i < 4; ++i) addLeftDigit(b, digitAt(*code, i), 'A');
    b.add("11111", false, true);
    for (int i = 4; i < 8; ++i) addRightDigit(b, digitAt(*code, i));
    b.add("111", true, true);
    using P = BarcodeText::Place;
    s.texts = {{code->left(4), P::Below, 3, 18}, {code->mid(4, 4), P::Below, 24, 39}};
    return s;
}

std::optional<BarcodeSymbol> encodeUpcE(const QString& data) {
    if (data.size() != 6 || !isAsciiDigits(data)) return std::nullopt;
    // The check digit is that of the UPC-A number the six digits stand for
    // (number system 0).
    const QString d = data;
    QString upcA;
    switch (digitAt(d, 5)) {
        case 0:
        case 1:
        case 2:
            upcA = u'0' + d.left(2) + d[5] + QStringLiteral("0000") + d.mid(2, 3);
            break;
        case 3:
            upcA = u'0' + d.left(3) + QStringLiteral("00000") + d.mid(3, 2);
            break;
        case 4:
            upcA = u'0' + d.left(4) + QStringLiteral("00000") + d[4];
            break;
        default:
            upcA = u'0' + d.left(5) + QStringLiteral("0000") + d[5];
            break;
    }
    const int check = eanCheckDigit(upcA);
    BarcodeSymbol s;
    s.usesRatio = true;
    s.textNotEmpty = true;
    s.encoded = u'0' + d + QChar(u'0' + check);
    SymbolBuilder b(s);
    b.add("111", true, true);
    const char* parity = kUpcEParity[check];
    for (int i = 0; i < 6; ++i) addLeftDigit(b, digitAt(d, i), parity[i]);
    b.add("111111", false, true);
    using P = BarcodeText::Place;
    s.texts = {{QStringLiteral("0"), P::LeftOf, 0, 0},
               {d, P::Below, 3, 26},
               {QString(QChar(u'0' + check)), P::RightOf, 32, 32}};
    return s;
}

bool appendEanAddOn(BarcodeSymbol& s, const QString& addOn) {
    if ((addOn.size() != 2 && addOn.size() != 5) || !isAsciiDigits(addOn)) return false;
    const char* parity;
    if (addOn.size() == 2) {
        parity = kEan2Parity[(digitAt(addOn, 0) * 10 + digitAt(addOn, 1)) % 4];
    } else {
        const int sum = 3 * (digitAt(addOn, 0) + digitAt(addOn, 2) + digitAt(addOn, 4)) +
                        9 * (digitAt(addOn, 1) + digitAt(addOn, 3));
        parity = kEan5Parity[sum % 10];
    }
    // A right-hand check digit would collide with the add-on.
    s.texts.removeIf([](const BarcodeText& t) { return t.place == BarcodeText::Place::RightOf; });
    SymbolBuilder b(s);
    b.setAddOn(true);
    b.addElement(false, 7);
    const int first = b.count();
    b.add("112", true);
    for (int i = 0; i < addOn.size(); ++i) {
        if (i > 0) b.add("11", false);
        addLeftDigit(b, digitAt(addOn, i), parity[i]);
    }
    s.texts.append({addOn, BarcodeText::Place::Above, first, b.count() - 1});
    s.encoded += u' ' + addOn;
    s.hasAddOn = true;
    return true;
}

}  // namespace dorvana

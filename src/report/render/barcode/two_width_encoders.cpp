// The symbologies of narrow and wide elements: Interleaved 2 of 5, Codabar,
// Code 11 and Code 39. Narrow is one unit, wide two.
#include "report/render/barcode/barcode_encoder.h"
#include "report/render/barcode/symbol_builder.h"

namespace dorvana {

namespace {

// "0" narrow, "1" wide -> widths "1"/"2".
QByteArray widths(const char* narrowWide) {
    QByteArray w(narrowWide);
    for (char& c : w) c = c == '1' ? '2' : '1';
    return w;
}

// Interleaved 2 of 5: the five elements of a digit, 1 = wide.
constexpr const char* kI25[10] = {"00110", "10001", "01001", "11000", "00101",
                                  "10100", "01100", "00011", "10010", "01010"};

// Code 39: bar-space-bar-space-bar-space-bar-space-bar, 1 = wide.
constexpr char kCode39Chars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. *$/+%";
constexpr const char* kCode39[44] = {
    "000110100", "100100001", "001100001", "101100000", "000110001", "100110000", "001110000",
    "000100101", "100100100", "001100100", "100001001", "001001001", "101001000", "000011001",
    "100011000", "001011000", "000001101", "100001100", "001001100", "000011100", "100000011",
    "001000011", "101000010", "000010011", "100010010", "001010010", "000000111", "100000110",
    "001000110", "000010110", "110000001", "011000001", "111000000", "010010001", "110010000",
    "011010000", "010000101", "110000100", "011000100", "010010100", "010101000", "010100010",
    "010001010", "000101010"};

// Codabar: seven elements, 1 = wide.
constexpr char kCodabarChars[] = "0123456789-$:/.+abcd";
constexpr const char* kCodabar[20] = {"0000011", "0000110", "0001001", "1100000", "0010010",
                                      "1000010", "0100001", "0100100", "0110000", "1001000",
                                      "0001100", "0011000", "1000101", "1010001", "1010100",
                                      "0010101", "0011010", "0101001", "0001011", "0001110"};

// Code 11: five elements, 1 = wide; index 10 is "-", 11 start/stop.
constexpr const char* kCode11[12] = {"00001", "10001", "01001", "11000", "00101", "10100",
                                     "01100", "00011", "10010", "10000", "00100", "00110"};

int indexIn(const char* table, QChar c) {
    if (c.unicode() > 127 || c.unicode() == 0) return -1;
    for (int i = 0; table[i]; ++i)
        if (table[i] == char(c.unicode())) return i;
    return -1;
}

BarcodeText wholeText(const QString& text, const BarcodeSymbol& s) {
    return {text, BarcodeText::Place::Below, 0, int(s.elements.size()) - 1};
}

}  // namespace

std::optional<BarcodeSymbol> encodeInterleaved2of5(const QString& data, bool check) {
    if (!isAsciiDigits(data)) return std::nullopt;
    QString digits = data;
    QString checkDigit;
    if (check) {
        // Modulo 10, weights 3 and 1 from the right.
        int sum = 0;
        for (qsizetype i = digits.size() - 1, w = 3; i >= 0; --i, w = 4 - w)
            sum = (sum + (digits[i].unicode() - u'0') * w) % 10;
        checkDigit = QChar(u'0' + (10 - sum % 10) % 10);
    }
    // Digits go in pairs: a leading 0 makes their number even.
    if ((digits.size() + checkDigit.size()) % 2 != 0) digits.prepend(u'0');
    const QString code = digits + checkDigit;
    BarcodeSymbol s;
    s.encoded = code;
    s.textNotEmpty = !data.isEmpty();
    SymbolBuilder b(s);
    b.add("1111", true);
    for (qsizetype i = 0; i + 1 < code.size(); i += 2) {
        const char* bars = kI25[code[i].unicode() - u'0'];
        const char* spaces = kI25[code[i + 1].unicode() - u'0'];
        for (int k = 0; k < 5; ++k) {
            b.addElement(true, bars[k] == '1' ? 2 : 1);
            b.addElement(false, spaces[k] == '1' ? 2 : 1);
        }
    }
    b.add("211", true);
    // The text shows the digits encoded before the check digit.
    if (s.textNotEmpty) s.texts = {wholeText(digits, s)};
    return s;
}

std::optional<BarcodeSymbol> encodeCodabar(const QString& data, bool showStartStop) {
    QString code = data.toLower();
    for (QChar c : code)
        if (indexIn(kCodabarChars, c) < 0) return std::nullopt;
    const auto isStartStop = [](QChar c) { return c >= u'a' && c <= u'd'; };
    // Start and stop characters A-D stand only at the ends; A is put where
    // the data has none.
    const bool hasStart = !code.isEmpty() && isStartStop(code.front());
    const bool hasStop = code.size() >= 2 && isStartStop(code.back());
    const QString inner = code.mid(hasStart ? 1 : 0, code.size() - hasStart - hasStop);
    for (QChar c : inner)
        if (isStartStop(c)) return std::nullopt;
    code = (hasStart ? code.left(1) : QStringLiteral("a")) + inner +
           (hasStop ? code.right(1) : QStringLiteral("a"));
    BarcodeSymbol s;
    s.usesRatio = true;
    s.encoded = code.toUpper();
    SymbolBuilder b(s);
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (i > 0) b.addElement(false, 1);
        b.add(widths(kCodabar[indexIn(kCodabarChars, code[i])]).constData(), true);
    }
    const QString text = showStartStop ? s.encoded : inner.toUpper();
    s.textNotEmpty = !text.isEmpty();
    if (s.textNotEmpty) s.texts = {wholeText(text, s)};
    return s;
}

std::optional<BarcodeSymbol> encodeCode11(const QString& data, bool check) {
    QList<int> values;
    for (QChar c : data) {
        if (c == u'-')
            values.append(10);
        else if (c >= u'0' && c <= u'9')
            values.append(c.unicode() - u'0');
        else
            return std::nullopt;
    }
    QString encoded = data;
    if (check) {
        // C: weights 1..10 from the right; K: weights 1..9 over data and C.
        const auto checkValue = [&values](int maxWeight) {
            int sum = 0;
            for (qsizetype i = values.size() - 1, w = 1; i >= 0; --i, w = w % maxWeight + 1)
                sum = (sum + values[i] * w) % 11;
            return sum % 11;
        };
        const int c = checkValue(10);
        values.append(c);
        const int k = checkValue(9);
        values.append(k);
        for (int v : {c, k}) encoded += v == 10 ? QChar(u'-') : QChar(u'0' + v);
    }
    BarcodeSymbol s;
    s.encoded = encoded;
    SymbolBuilder b(s);
    b.add(widths(kCode11[11]).constData(), true);
    for (int v : values) {
        b.addElement(false, 1);
        b.add(widths(kCode11[v]).constData(), true);
    }
    b.addElement(false, 1);
    b.add(widths(kCode11[11]).constData(), true);
    s.textNotEmpty = !data.isEmpty();
    if (s.textNotEmpty) s.texts = {wholeText(data, s)};
    return s;
}

std::optional<BarcodeSymbol> encodeCode39(const QString& data, bool showStartStop) {
    QString code = data.toUpper();
    if (!code.startsWith(u'*')) code.prepend(u'*');
    if (code.size() < 2 || !code.endsWith(u'*')) code.append(u'*');
    const QString inner = code.mid(1, code.size() - 2);
    for (QChar c : inner)
        if (c == u'*' || indexIn(kCode39Chars, c) < 0) return std::nullopt;
    BarcodeSymbol s;
    s.encoded = code;
    SymbolBuilder b(s);
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (i > 0) b.addElement(false, 1);
        b.add(widths(kCode39[indexIn(kCode39Chars, code[i])]).constData(), true);
    }
    const QString text = showStartStop ? code : inner;
    s.textNotEmpty = !inner.isEmpty();
    if (s.textNotEmpty) s.texts = {wholeText(text, s)};
    return s;
}

}  // namespace dorvana

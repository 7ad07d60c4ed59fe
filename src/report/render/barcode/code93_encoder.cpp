// Code 93 with the full ASCII shift pairs and its two check characters.
#include "report/render/barcode/barcode_encoder.h"
#include "report/render/barcode/symbol_builder.h"

#include <utility>

namespace dorvana {

namespace {

// The 47 characters (values 0..46; 43..46 are the shifts ($) (%) (/) (+))
// as bar-space widths, and the start/stop character.
constexpr const char* kCode93[47] = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114",
    "131211", "141111", "211113", "211212", "211311", "221112", "221211", "231111",
    "112113", "112212", "112311", "122112", "132111", "111123", "111222", "111321",
    "121122", "131121", "212112", "212211", "211122", "211221", "221121", "222111",
    "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211"};
constexpr const char* kStartStop = "111141";
constexpr char kBasic[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
enum Shift { kDollar = 43, kPercent = 44, kSlash = 45, kPlus = 46 };

int basicValue(char c) {
    for (int i = 0; kBasic[i]; ++i)
        if (kBasic[i] == c) return i;
    return -1;
}
// The shift pair of a character outside the basic set (the full ASCII
// table shared with Code 39).
std::pair<int, char> shiftPair(int ch) {
    if (ch == 0) return {kPercent, 'U'};
    if (ch <= 26) return {kDollar, char('A' + ch - 1)};    // SOH .. SUB
    if (ch <= 31) return {kPercent, char('A' + ch - 27)};  // ESC .. US
    if (ch <= 47) return {kSlash, char('A' + ch - 33)};    // ! " # & ' ( ) * ,
    if (ch == ':') return {kSlash, 'Z'};
    if (ch <= 63) return {kPercent, char('F' + ch - ';')};  // ; < = > ?
    if (ch == '@') return {kPercent, 'V'};
    if (ch <= 95) return {kPercent, char('K' + ch - '[')};  // [ \ ] ^ _
    if (ch == '`') return {kPercent, 'W'};
    if (ch <= 'z') return {kPlus, char('A' + ch - 'a')};  // a .. z
    return {kPercent, char('P' + ch - '{')};              // { | } ~ DEL
}

// The values of one ASCII character: itself or a shift pair.
void appendValues(int ch, QList<int>& out) {
    if (const int v = ch > 0 ? basicValue(char(ch)) : -1; v >= 0) {
        out.append(v);
        return;
    }
    const auto [shift, letter] = shiftPair(ch);
    out.append(shift);
    out.append(basicValue(letter));
}

int checkValue(const QList<int>& values, int maxWeight) {
    int sum = 0;
    for (qsizetype i = values.size() - 1, w = 1; i >= 0; --i, w = w % maxWeight + 1)
        sum = (sum + values[i] * w) % 47;
    return sum % 47;
}

}  // namespace

// The two check characters C and K are always added: readers require them.
std::optional<BarcodeSymbol> encodeCode93(const QString& data) {
    QList<int> values;
    for (QChar c : data) {
        if (c.unicode() > 127) return std::nullopt;
        appendValues(c.unicode(), values);
    }
    values.append(checkValue(values, 20));
    values.append(checkValue(values, 15));
    BarcodeSymbol s;
    s.encoded = data;
    SymbolBuilder b(s);
    b.add(kStartStop, true);
    for (int v : values) b.add(kCode93[v], true);
    b.add(kStartStop, true);
    b.addElement(true, 1);  // termination bar
    s.textNotEmpty = !data.isEmpty();
    if (s.textNotEmpty)
        s.texts = {{data, BarcodeText::Place::Below, 0, int(s.elements.size()) - 1}};
    return s;
}

}  // namespace dorvana

// Code 128 in one chosen character set (A, B or C), optionally with FNC1
// after the start character (EAN 128).
#include "report/render/barcode/barcode_encoder.h"
#include "report/render/barcode/symbol_builder.h"

namespace dorvana {

namespace {

// Bar-space widths of the values 0..106 (106 = stop, with its final bar).
constexpr const char* kCode128[107] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};
constexpr int kFnc1 = 102;
constexpr int kStartA = 103;
constexpr int kStop = 106;

// The set a leading start character names: 0 A, 1 B, 2 C; -1 for any other
// character. Start characters are written the way Code 128 fonts write them,
// value + 100: Ë, Ì, Í; Ě is where Ì lands in texts that came through the
// Central European code page (the same byte 0xCC).
int startCharacterSet(QChar c) {
    switch (c.unicode()) {
        case 0x00CB:
            return 0;
        case 0x00CC:
        case 0x011A:
            return 1;
        case 0x00CD:
            return 2;
        default:
            return -1;
    }
}

}  // namespace

// The check character (modulo 103) is always added: readers require it.
// Data that begins with a start character keeps it: that character starts the
// symbol (in the set it names) instead of the chosen set's start character.
std::optional<BarcodeSymbol> encodeCode128(const QString& given, int set, bool ean128) {
    set = qBound(0, set, 2);
    QString data = given;
    if (!data.isEmpty() && startCharacterSet(data[0]) >= 0) {
        set = startCharacterSet(data[0]);
        data.remove(0, 1);
    }
    QList<int> values{kStartA + set};
    if (ean128) values.append(kFnc1);
    if (set == 2) {
        if (data.size() % 2 != 0 || !isAsciiDigits(data)) return std::nullopt;
        for (qsizetype i = 0; i < data.size(); i += 2)
            values.append((data[i].unicode() - u'0') * 10 + data[i + 1].unicode() - u'0');
    } else {
        for (QChar c : data) {
            const int ch = c.unicode();
            if (set == 0 && ch <= 95)
                values.append(ch < 32 ? ch + 64 : ch - 32);
            else if (set == 1 && ch >= 32 && ch <= 127)
                values.append(ch - 32);
            else
                return std::nullopt;
        }
    }
    int sum = values[0] % 103;
    for (qsizetype i = 1; i < values.size(); ++i) sum = int((sum + values[i] * (i % 103)) % 103);
    values.append(sum);
    values.append(kStop);
    BarcodeSymbol s;
    s.encoded = data;
    SymbolBuilder b(s);
    for (int v : values) b.add(kCode128[v], true);
    s.textNotEmpty = !data.isEmpty();
    if (s.textNotEmpty) {
        // Control characters of set A show as blanks.
        QString text = data;
        for (QChar& c : text)
            if (c.unicode() < 32 || c.unicode() == 127) c = u' ';
        s.texts = {{text, BarcodeText::Place::Below, 0, int(s.elements.size()) - 1}};
    }
    return s;
}

}  // namespace dorvana

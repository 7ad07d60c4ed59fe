#include "report/render/barcode/barcode_format.h"

#include <algorithm>
#include <cmath>

#include "base/rounding.h"
#include "report/expr/format/format_settings.h"

namespace dorvana {

const QStringList& symbologyNames() {
    static const QStringList names = {
        QStringLiteral("UPC_A"),
        QStringLiteral("UPC_E"),
        QStringLiteral("EAN_8"),
        QStringLiteral("EAN_13"),
        QStringLiteral("Interleaved 2 of 5"),
        QStringLiteral("Codabar "),
        QStringLiteral("Code11"),
        QStringLiteral("Code39"),
        QStringLiteral("Code93"),
        QStringLiteral("Code128"),
    };
    return names;
}

namespace {

struct ColourEntry {
    int r, g, b;
};
constexpr ColourEntry kColours[16] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {128, 128, 128}, {192, 192, 192}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

// A field of decimal digits only; -1 when anything else stands there.
int digitsField(const QString& text, int from, int count) {
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9') return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// The three ratio characters: digits with at most one decimal separator
// ("," or "."); -1 when they are not such a number.
double ratioField(const QString& text, int from) {
    QString s = text.mid(from, 3);
    int separators = 0;
    for (QChar& c : s) {
        if (c == u',' || c == u'.') {
            c = u'.';
            ++separators;
        } else if (c < u'0' || c > u'9') {
            return -1;
        }
    }
    if (separators > 1 || s == u".") return -1;
    bool ok = false;
    const double v = s.toDouble(&ok);
    return ok ? v : -1;
}

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

}  // namespace

QColor colourTableEntry(int index) {
    if (index < 0 || index > 15) return QColor(0, 0, 0);
    return QColor(kColours[index].r, kColours[index].g, kColours[index].b);
}

const QStringList& colourTableNames() {
    static const QStringList names = {
        QStringLiteral("černá"),         QStringLiteral("kaštanová"),
        QStringLiteral("zelená"),        QStringLiteral("olivová"),
        QStringLiteral("ultramarínová"), QStringLiteral("purpurová"),
        QStringLiteral("šedozelená"),    QStringLiteral("šedá"),
        QStringLiteral("stříbrná"),      QStringLiteral("červená"),
        QStringLiteral("žlutozelená"),   QStringLiteral("žlutá"),
        QStringLiteral("modrá"),         QStringLiteral("růžová"),
        QStringLiteral("akvamarínová"),  QStringLiteral("bílá"),
    };
    return names;
}

QString BarcodeFormat::toText(QChar decimalSeparator) const {
    // The ratio with at most one decimal: 1 -> "1", 2.5 -> "2,5"; never below
    // 0.1, which would write an unreadable "000".
    const int tenths = std::max(1, roundHalfEven(ratio * 10));
    QString r = QString::number(tenths / 10);
    if (tenths % 10 != 0) r += decimalSeparator + QString::number(std::abs(tenths % 10));
    r = r.left(3).rightJustified(3, u'0');
    QString out;
    out += QStringLiteral("%1").arg(static_cast<int>(symbology), 2, 10, QChar(u'0'));
    out += flag(showText) + flag(showStartStop) + flag(tallGuardBars) + flag(bearerBars) +
           flag(checkCharacter);
    out += QString::number(qBound(0, code128Set, 2));
    out += QStringLiteral("%1").arg(qBound(0, narrowWidth, 999), 3, 10, QChar(u'0'));
    out += r;
    out += QStringLiteral("%1").arg(qBound(0, barColour, 15), 2, 10, QChar(u'0'));
    out += QStringLiteral("%1").arg(qBound(0, backgroundColour, 15), 2, 10, QChar(u'0'));
    out += addOnSeparator.isNull() ? QChar(u'#') : addOnSeparator;
    out += flag(ean128);
    return out;
}

QString BarcodeFormat::toText() const {
    return toText(formatSettings().decimalSeparator);
}

std::optional<BarcodeFormat> BarcodeFormat::read(const QString& text) {
    if (text.size() < 20) return std::nullopt;
    BarcodeFormat f;
    const int symbology = digitsField(text, 0, 2);
    if (symbology < 0 || symbology >= kSymbologyCount) return std::nullopt;
    f.symbology = static_cast<Symbology>(symbology);
    f.showText = text[2] != u'0';
    f.showStartStop = text[3] != u'0';
    f.tallGuardBars = text[4] != u'0';
    f.bearerBars = text[5] != u'0';
    f.checkCharacter = text[6] != u'0';
    // Set B and C are named by "1" and "2"; anything else is set A.
    f.code128Set = text[7] == u'1' ? 1 : text[7] == u'2' ? 2 : 0;
    f.narrowWidth = digitsField(text, 8, 3);
    if (f.narrowWidth < 0) return std::nullopt;
    f.ratio = ratioField(text, 11);
    if (!(f.ratio > 0)) return std::nullopt;
    f.barColour = digitsField(text, 14, 2);
    f.backgroundColour = digitsField(text, 16, 2);
    if (f.barColour < 0 || f.barColour > 15 || f.backgroundColour < 0 || f.backgroundColour > 15)
        return std::nullopt;
    f.addOnSeparator = text[18];
    f.ean128 = text[19] != u'0';
    return f;
}

std::optional<BarcodeFormat> BarcodeFormat::readForDialog(const QString& text) {
    if (text.isEmpty()) return BarcodeFormat{};
    if (text.size() != 20) return std::nullopt;
    if (text[7] < u'0' || text[7] > u'2') return std::nullopt;
    auto f = read(text);
    if (!f || f->narrowWidth < 1 || f->ratio < 0.1 - 1e-9 || f->ratio > 5.0 + 1e-9)
        return std::nullopt;
    return f;
}

QString barcodeDialogSample(const QString& elementText, QChar separator) {
    QString sample = QStringLiteral("123456789012");
    const qsizetype at = elementText.indexOf(separator);
    if (at < 0) return sample;
    sample += separator;
    sample += elementText.size() - at - 1 < 3 ? QStringLiteral("12") : QStringLiteral("12345");
    return sample;
}

}  // namespace dorvana

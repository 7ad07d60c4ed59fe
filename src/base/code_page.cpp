#include "base/code_page.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <array>

#include "base/code_page_tables.h"

namespace dorvana {
namespace {

using code_page_tables::HighHalf;

// Bytes 0x80..0xFF. Windows-1250's unassigned bytes map to the C1 control of
// the same value (see decode()).
constexpr HighHalf kWindows1250 = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

constexpr HighHalf kCp852 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x016F, 0x0107, 0x00E7, 0x0142, 0x00EB, 0x0150, 0x0151,
    0x00EE, 0x0179, 0x00C4, 0x0106, 0x00C9, 0x0139, 0x013A, 0x00F4, 0x00F6, 0x013D, 0x013E, 0x015A,
    0x015B, 0x00D6, 0x00DC, 0x0164, 0x0165, 0x0141, 0x00D7, 0x010D, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x0104, 0x0105, 0x017D, 0x017E, 0x0118, 0x0119, 0x00AC, 0x017A, 0x010C, 0x015F, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x011A, 0x015E, 0x2563, 0x2551, 0x2557,
    0x255D, 0x017B, 0x017C, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x0102, 0x0103,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, 0x0111, 0x0110, 0x010E, 0x00CB,
    0x010F, 0x0147, 0x00CD, 0x00CE, 0x011B, 0x2518, 0x250C, 0x2588, 0x2584, 0x0162, 0x016E, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x0143, 0x0144, 0x0148, 0x0160, 0x0161, 0x0154, 0x00DA, 0x0155, 0x0170,
    0x00FD, 0x00DD, 0x0163, 0x00B4, 0x00AD, 0x02DD, 0x02DB, 0x02C7, 0x02D8, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x02D9, 0x0171, 0x0158, 0x0159, 0x25A0, 0x00A0,
};

// The table of a single-byte page; nullptr for UTF-8 and the multi-byte pages.
const HighHalf* table(CodePage page) {
    namespace t = code_page_tables;
    switch (page) {
        case CodePage::Windows1250:
            return &kWindows1250;
        case CodePage::Cp852:
            return &kCp852;
        case CodePage::Windows1251:
            return &t::kWindows1251;
        case CodePage::Windows1252:
            return &t::kWindows1252;
        case CodePage::Windows1253:
            return &t::kWindows1253;
        case CodePage::Windows1254:
            return &t::kWindows1254;
        case CodePage::Windows1255:
            return &t::kWindows1255;
        case CodePage::Windows1256:
            return &t::kWindows1256;
        case CodePage::Windows1257:
            return &t::kWindows1257;
        case CodePage::Windows874:
            return &t::kWindows874;
        case CodePage::Cp437:
            return &t::kCp437;
        case CodePage::Cp737:
            return &t::kCp737;
        case CodePage::Cp850:
            return &t::kCp850;
        case CodePage::Cp857:
            return &t::kCp857;
        case CodePage::Cp860:
            return &t::kCp860;
        case CodePage::Cp861:
            return &t::kCp861;
        case CodePage::Cp863:
            return &t::kCp863;
        case CodePage::Cp865:
            return &t::kCp865;
        case CodePage::Cp866:
            return &t::kCp866;
        case CodePage::Kamenicky:
            return &t::kKamenicky;
        case CodePage::Mazovia:
            return &t::kMazovia;
        case CodePage::MacRoman:
            return &t::kMacRoman;
        case CodePage::Roman8:
            return &t::kRoman8;
        case CodePage::Utf8:
        case CodePage::Gbk:
        case CodePage::ShiftJis:
        case CodePage::Korean:
        case CodePage::Big5:
            return nullptr;
    }
    return &kWindows1250;
}

// The converter name of a multi-byte page (Qt's ICU converters).
const char* multiByteName(CodePage page) {
    switch (page) {
        case CodePage::Gbk:
            return "GBK";
        case CodePage::ShiftJis:
            return "Shift_JIS";
        case CodePage::Korean:
            return "windows-949";
        case CodePage::Big5:
            return "Big5";
        default:
            return nullptr;
    }
}

// Reverse lookup: the byte for a character, or 0 when the page lacks it.
unsigned char byteFor(char16_t c, const HighHalf& t) {
    if (c < 0x80) return static_cast<unsigned char>(c);
    for (int i = 0; i < 128; ++i)
        if (t[i] == c) return static_cast<unsigned char>(0x80 + i);
    return 0;
}

struct Number {
    int number;
    CodePage page;
};

constexpr Number kNumbers[] = {
    {1250, CodePage::Windows1250}, {852, CodePage::Cp852},        {65001, CodePage::Utf8},
    {1251, CodePage::Windows1251}, {1252, CodePage::Windows1252}, {1253, CodePage::Windows1253},
    {1254, CodePage::Windows1254}, {1255, CodePage::Windows1255}, {1256, CodePage::Windows1256},
    {1257, CodePage::Windows1257}, {874, CodePage::Windows874},   {437, CodePage::Cp437},
    {737, CodePage::Cp737},        {850, CodePage::Cp850},        {857, CodePage::Cp857},
    {860, CodePage::Cp860},        {861, CodePage::Cp861},        {863, CodePage::Cp863},
    {865, CodePage::Cp865},        {866, CodePage::Cp866},        {895, CodePage::Kamenicky},
    {620, CodePage::Mazovia},      {10000, CodePage::MacRoman},   {936, CodePage::Gbk},
    {932, CodePage::ShiftJis},     {949, CodePage::Korean},       {950, CodePage::Big5},
    {867, CodePage::Kamenicky},  // Kamenický as Borland's drivers number it
};

}  // namespace

QString decode(QByteArrayView bytes, CodePage page) {
    if (page == CodePage::Utf8) return QString::fromUtf8(bytes);
    const HighHalf* t = table(page);
    if (!t) {
        QStringDecoder decoder(multiByteName(page));
        if (decoder.isValid()) return decoder.decode(bytes);
        t = &kWindows1250;
    }
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = QChar(b < 0x80 ? char16_t(b) : (*t)[b - 0x80]);
    }
    return out;
}

QByteArray encode(QStringView text, CodePage page, bool* lossless) {
    if (lossless) *lossless = true;
    if (page == CodePage::Utf8) return text.toUtf8();
    const HighHalf* t = table(page);
    if (!t) {
        QStringEncoder encoder(multiByteName(page));
        if (encoder.isValid()) {
            const QByteArray out = encoder.encode(text);
            // The converter substitutes what it cannot map; a round trip tells.
            if (lossless) *lossless = !encoder.hasError() && decode(out, page) == text;
            return out;
        }
        t = &kWindows1250;
    }
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        unsigned char b = byteFor(text[i].unicode(), *t);
        if (b == 0 && text[i].unicode() != 0) {
            b = '?';
            if (lossless) *lossless = false;
        }
        out[i] = static_cast<char>(b);
    }
    return out;
}

bool representable(QStringView text, CodePage page) {
    if (page == CodePage::Utf8) return true;
    const HighHalf* t = table(page);
    if (!t) {
        bool lossless = true;
        encode(text, page, &lossless);
        return lossless;
    }
    for (QChar c : text)
        if (c.unicode() != 0 && byteFor(c.unicode(), *t) == 0) return false;
    return true;
}

bool codePageOfNumber(int number, CodePage* page) {
    for (const Number& n : kNumbers)
        if (n.number == number) {
            *page = n.page;
            return true;
        }
    return false;
}

int codePageNumber(CodePage page) {
    for (const Number& n : kNumbers)
        if (n.page == page) return n.number;
    return 0;
}

bool isValidUtf8(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int more = 0;
        char32_t min = 0, cp = 0;
        if ((c & 0xE0) == 0xC0) {
            more = 1, min = 0x80, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            more = 2, min = 0x800, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            more = 3, min = 0x10000, cp = c & 0x07;
        } else {
            return false;
        }
        if (i + more >= n) return false;  // cut off at the end
        for (int k = 1; k <= more; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += more + 1;
    }
    return true;
}

QString decodeSystemText(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.sliced(3));
    return decode(bytes, CodePage::Windows1250);
}

}  // namespace dorvana

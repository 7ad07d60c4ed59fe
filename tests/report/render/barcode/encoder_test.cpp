#include <gtest/gtest.h>

#include "report/render/barcode/barcode_encoder.h"

using namespace dorvana;

namespace {

BarcodeFormat formatOf(Symbology s) {
    BarcodeFormat f;
    f.symbology = s;
    return f;
}

// The symbol written as modules: "1" per unit of bar, "0" per unit of space.
std::string modules(const BarcodeSymbol& s) {
    std::string out;
    for (const BarElement& e : s.elements) out.append(e.units, e.bar ? '1' : '0');
    return out;
}

std::string encoded(const std::optional<BarcodeSymbol>& s) {
    return s ? s->encoded.toStdString() : std::string("<error>");
}

}  // namespace

TEST(BarcodeEncoder, UpcEanCheckDigitAndLengths) {
    struct Case {
        Symbology symbology;
        const char* data;
        const char* encoded;
    };
    const Case cases[] = {
        {Symbology::Ean13, "590123412345", "5901234123457"},   // check digit computed
        {Symbology::Ean13, "5901234123457", "5901234123457"},  // kept
        {Symbology::Ean13, "5901234123458", "5901234123458"},  // kept, though wrong
        {Symbology::Ean13, "59012341234", "<error>"},          // 11 digits
        {Symbology::Ean13, "59012341234570", "<error>"},
        {Symbology::Ean13, "ABC", "<error>"},
        {Symbology::Ean13, "59012341234a", "<error>"},
        {Symbology::Ean13, "", "<error>"},
        {Symbology::UpcA, "03600029145", "036000291452"},
        {Symbology::UpcA, "036000291453", "036000291453"},
        {Symbology::UpcA, "0360002914", "<error>"},
        {Symbology::Ean8, "9638507", "96385074"},
        {Symbology::Ean8, "96385070", "96385070"},
        {Symbology::Ean8, "963850", "<error>"},
        {Symbology::UpcE, "123456", "01234565"},  // from UPC-A 01234500006
        {Symbology::UpcE, "654321", "06543217"},  // from UPC-A 06510000432
        {Symbology::UpcE, "123453", "01234531"},  // from UPC-A 01230000045
        {Symbology::UpcE, "123454", "01234543"},  // from UPC-A 01234000005
        {Symbology::UpcE, "123457", "01234572"},  // from UPC-A 01234500007
        {Symbology::UpcE, "1234567", "<error>"},
        {Symbology::UpcE, "12345", "<error>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(encoded(encodeBarcode(formatOf(c.symbology), QString::fromLatin1(c.data))),
                  c.encoded)
            << c.data;
    }
}

TEST(BarcodeEncoder, UpcEanModuleCountsAndGuards) {
    struct Case {
        Symbology symbology;
        const char* data;
        size_t modules;
    };
    const Case cases[] = {
        {Symbology::Ean13, "5901234123457", 95},
        {Symbology::UpcA, "036000291452", 95},
        {Symbology::Ean8, "96385074", 67},
        {Symbology::UpcE, "123456", 51},
        {Symbology::Ean13, "5901234123457#05", 95 + 7 + 20},
        {Symbology::Ean13, "5901234123457#12345", 95 + 7 + 47},
    };
    for (const Case& c : cases) {
        const auto s = encodeBarcode(formatOf(c.symbology), QString::fromLatin1(c.data));
        ASSERT_TRUE(s) << c.data;
        EXPECT_EQ(modules(*s).size(), c.modules) << c.data;
        EXPECT_TRUE(s->usesRatio);
    }
    // EAN-13 5901234123457 module by module (start, left half in parity
    // ABBAAB... of the leading 5, centre, right half, end).
    const auto ean = encodeEan13(QStringLiteral("5901234123457"));
    EXPECT_EQ(modules(*ean),
              "101"
              "0001011"
              "0100111"
              "0110011"
              "0010011"
              "0111101"
              "0011101"  // 9 0 1 2 3 4 (A B B A A B)
              "01010"
              "1100110"
              "1101100"
              "1000010"
              "1011100"
              "1001110"
              "1000100"  // 1 2 3 4 5 7
              "101");
    // Only the three guards reach lower in EAN-13; UPC-A adds its outer digits.
    int guardBars = 0;
    for (const BarElement& e : ean->elements) guardBars += e.bar && e.guard;
    EXPECT_EQ(guardBars, 6);
    guardBars = 0;
    const auto upc = encodeUpcA(QStringLiteral("036000291452"));
    for (const BarElement& e : upc->elements) guardBars += e.bar && e.guard;
    EXPECT_EQ(guardBars, 10);
}

TEST(BarcodeEncoder, AddOnOnlyForTwoOrFiveDigits) {
    const struct {
        Symbology symbology;
        const char* data;
        const char* encoded;
        bool hasAddOn;
    } cases[] = {
        {Symbology::Ean13, "9771234567003#05", "9771234567003 05", true},
        {Symbology::Ean13, "9771234567003#052", "9771234567003", false},
        {Symbology::Ean13, "9771234567003#0a", "9771234567003", false},
        {Symbology::Ean13, "9771234567003#", "9771234567003", false},
        {Symbology::UpcA, "03600029145#12345", "036000291452 12345", true},
        {Symbology::Code39, "ABC#12", "*ABC*", false},  // other symbologies leave the add-on out
        {Symbology::Ean13, "#05", "<error>", false},
    };
    for (const auto& c : cases) {
        const auto s = encodeBarcode(formatOf(c.symbology), QString::fromLatin1(c.data));
        EXPECT_EQ(encoded(s), c.encoded) << c.data;
        if (s) {
            EXPECT_EQ(s->hasAddOn, c.hasAddOn) << c.data;
        }
    }
    // With an add-on UPC-A's check digit no longer stands right of the symbol.
    const auto upc = encodeBarcode(formatOf(Symbology::UpcA), QStringLiteral("03600029145#12"));
    for (const BarcodeText& t : upc->texts) EXPECT_NE(t.place, BarcodeText::Place::RightOf);
}

TEST(BarcodeEncoder, AddedCharactersAndTexts) {
    // (symbology, check, start/stop shown, data, encoded, text under the bars)
    const struct {
        Symbology symbology;
        bool check;
        bool startStop;
        const char* data;
        const char* encoded;
        const char* text;
    } cases[] = {
        {Symbology::Code39, false, false, "abc-1", "*ABC-1*", "ABC-1"},
        {Symbology::Code39, false, true, "abc-1", "*ABC-1*", "*ABC-1*"},
        {Symbology::Code39, false, false, "*AB*", "*AB*", "AB"},
        {Symbology::Code39, false, false, "*AB", "*AB*", "AB"},
        {Symbology::Code39, false, false, "A*B", "<error>", ""},
        {Symbology::Code39, false, false, "AB!", "<error>", ""},
        {Symbology::Code39, false, false, "Žluť", "<error>", ""},
        {Symbology::Interleaved2of5, true, false, "123", "1236", "123"},
        {Symbology::Interleaved2of5, true, false, "1234", "012348", "01234"},
        {Symbology::Interleaved2of5, false, false, "123", "0123", "0123"},
        {Symbology::Interleaved2of5, false, false, "1234", "1234", "1234"},
        {Symbology::Interleaved2of5, false, false, "12a", "<error>", ""},
        {Symbology::Codabar, false, false, "a40156b", "A40156B", "40156"},
        {Symbology::Codabar, false, true, "A40156B", "A40156B", "A40156B"},
        {Symbology::Codabar, false, false, "123", "A123A", "123"},
        {Symbology::Codabar, false, false, "c-$:/.+", "C-$:/.+A", "-$:/.+"},
        {Symbology::Codabar, false, false, "1a2", "<error>", ""},
        {Symbology::Codabar, false, false, "12x", "<error>", ""},
        {Symbology::Code11, false, false, "123-45", "123-45", "123-45"},
        {Symbology::Code11, true, false, "123-45", "123-4552", "123-45"},
        {Symbology::Code11, true, false, "0", "000", "0"},
        {Symbology::Code11, true, false, "-", "--8", "-"},  // C = 10 is written "-"
        {Symbology::Code11, false, false, "12.3", "<error>", ""},
        {Symbology::Code128, false, false, "A\x01Z", "A\x01Z", "A Z"},  // set A: control characters
        {Symbology::Code128, false, false, "abc", "<error>", ""},       // no lower case in set A
    };
    for (const auto& c : cases) {
        BarcodeFormat f = formatOf(c.symbology);
        f.checkCharacter = c.check;
        f.showStartStop = c.startStop;
        const QString data = QString::fromUtf8(c.data);
        const auto s = encodeBarcode(f, data);
        EXPECT_EQ(encoded(s), c.encoded) << c.data;
        if (s && *c.text) {
            ASSERT_EQ(s->texts.size(), 1) << c.data;
            EXPECT_EQ(s->texts[0].text.toStdString(), c.text) << c.data;
            EXPECT_EQ(s->texts[0].place, BarcodeText::Place::Below);
        }
    }
}

TEST(BarcodeEncoder, Code128Sets) {
    const struct {
        int set;
        const char* data;
        bool ok;
    } cases[] = {
        {0, "ABC 123", true}, {0, "abc", false}, {1, "abc {~}", true}, {1, "a\tb", false},
        {2, "0123", true},    {2, "012", false}, {2, "01a3", false},   {1, "č", false},
        {2, "", true},        {1, "\x7f", true},
    };
    for (const auto& c : cases) {
        BarcodeFormat f = formatOf(Symbology::Code128);
        f.code128Set = c.set;
        const auto s = encodeBarcode(f, QString::fromUtf8(c.data));
        EXPECT_EQ(s.has_value(), c.ok) << c.set << " " << c.data;
        // Start, data, check and stop: 11 modules each, the stop 13.
        if (s) {
            const size_t chars = c.set == 2 ? strlen(c.data) / 2 : strlen(c.data);
            EXPECT_EQ(modules(*s).size(), 11 * (chars + 2) + 13) << c.data;
        }
    }
    // EAN 128 puts FNC1 after the start character: one more symbol character.
    BarcodeFormat f = formatOf(Symbology::Code128);
    f.code128Set = 2;
    f.ean128 = true;
    EXPECT_EQ(modules(*encodeBarcode(f, QStringLiteral("0123"))).size(), 11u * 5 + 13);
}

TEST(BarcodeEncoder, Code128DataWithAStartCharacterKeepsIt) {
    // A leading start character (Ë A, Ì or Ě B, Í C) starts the symbol in its
    // set: no second start character is put in front and it is not shown.
    BarcodeFormat setA = formatOf(Symbology::Code128);
    setA.code128Set = 0;
    BarcodeFormat setB = setA, setC = setA;
    setB.code128Set = 1;
    setC.code128Set = 2;
    const auto viaC = encodeBarcode(setA, QStringLiteral("\u00CD0123"));
    ASSERT_TRUE(viaC);
    EXPECT_EQ(modules(*viaC), modules(*encodeBarcode(setC, QStringLiteral("0123"))));
    EXPECT_EQ(viaC->texts[0].text, QStringLiteral("0123"));
    for (const char16_t b : {u'\u00CC', u'\u011A'}) {
        const auto viaB = encodeBarcode(setA, QString(QChar(b)) + QStringLiteral("abc"));
        ASSERT_TRUE(viaB);
        EXPECT_EQ(modules(*viaB), modules(*encodeBarcode(setB, QStringLiteral("abc"))));
    }
    EXPECT_FALSE(encodeBarcode(setB, QStringLiteral("\u00CB") + QStringLiteral("abc")));
}

TEST(BarcodeEncoder, Code11FollowsTheStandardPatterns) {
    // Code 11 patterns as modules (a wide element is two modules), joined by
    // a narrow space: start/stop 1011001.
    const char* digit[] = {"101011",  "1101011", "1001011", "1100101", "1011011", "1101101",
                           "1001101", "1010011", "1101001", "110101",  "101101"};
    const auto join = [&](std::initializer_list<int> chars) {
        std::string out = "1011001";
        for (int c : chars) out += std::string("0") + digit[c];
        return out + "0" + "1011001";
    };
    BarcodeFormat f = formatOf(Symbology::Code11);
    EXPECT_EQ(modules(*encodeBarcode(f, QStringLiteral("123-45"))), join({1, 2, 3, 10, 4, 5}));
    f.checkCharacter = true;
    EXPECT_EQ(modules(*encodeBarcode(f, QStringLiteral("123-45"))),
              join({1, 2, 3, 10, 4, 5, 5, 2}));
}

TEST(BarcodeEncoder, ElementsAlternateFromBarToBar) {
    const char* samples[][2] = {{"031010000120010015#0", "5901234123457#12345"},
                                {"011010000120010015#0", "123456#12"},
                                {"041010100120010015#0", "987"},
                                {"051010000120010015#0", "d12-34c"},
                                {"061010100120010015#0", "0-9"},
                                {"071010000120010015#0", "X Y"},
                                {"081010000120010015#0", "\x7f\x01 a~"},
                                {"091010010120010015#1", "Dorvana"}};
    for (const auto& sample : samples) {
        const auto s = encodeBarcode(*BarcodeFormat::read(QString::fromLatin1(sample[0])),
                                     QString::fromLatin1(sample[1]));
        ASSERT_TRUE(s) << sample[1];
        EXPECT_TRUE(s->elements.first().bar && s->elements.last().bar) << sample[1];
        for (qsizetype i = 1; i < s->elements.size(); ++i)
            ASSERT_NE(s->elements[i].bar, s->elements[i - 1].bar) << sample[1] << " at " << i;
    }
}

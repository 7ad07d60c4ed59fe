#include <gtest/gtest.h>

#include "base/code_page.h"

using namespace dorvana;

TEST(CodePage, CzechLettersOfBothPages) {
    const QString czech = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy ŘŠČŽÝÁÍÉŮÚĚŇŤĎ");
    struct Case {
        CodePage page;
        QByteArray bytes;  // first word "Příliš"
    } cases[] = {
        {CodePage::Windows1250, QByteArray("P\xF8\xEDli\x9A")},
        {CodePage::Cp852, QByteArray("P\xFD\xA1li\xE7")},
        {CodePage::Kamenicky, QByteArray("P\xA9\xA1li\xA8")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(encode(u"Příliš", c.page), c.bytes);
        EXPECT_EQ(decode(c.bytes, c.page), u"Příliš");
        bool lossless = false;
        EXPECT_EQ(decode(encode(czech, c.page, &lossless), c.page), czech);
        EXPECT_TRUE(lossless);
    }
}

TEST(CodePage, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(char(b));
    for (int number : {1250, 852, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 874, 437,
                       737,  850, 857,  860,  861,  863,  865,  866,  895,  620, 10000}) {
        CodePage page;
        ASSERT_TRUE(codePageOfNumber(number, &page)) << number;
        EXPECT_EQ(codePageNumber(page), number);
        EXPECT_EQ(encode(decode(all, page), page), all) << number;
    }
}

TEST(CodePage, ForeignPagesByTheirNumbers) {
    const struct {
        int number;
        QByteArray bytes;
        QString text;
    } cases[] = {
        {1251, "\xCD\xEE\xEC\xE5\xF0", QStringLiteral("Номер")},
        {866, "\x8D\xAE\xAC\xA5\xE0", QStringLiteral("Номер")},
        {1252, "caf\xE9", QStringLiteral("café")},
        {437, "\x9A\xE1", QStringLiteral("Üß")},
        {850, "\xD0\xD1", QStringLiteral("ðÐ")},
        {620, "\x98\xD7\x88\x89\xE7\xF5\x9E", QStringLiteral("Ś╫êëτ⌡ś")},
        {867, "P\xA9\xA1li\xA8", QStringLiteral("Příliš")},
        {936, "\xD6\xD0\xCE\xC4", QStringLiteral("中文")},
    };
    for (const auto& c : cases) {
        CodePage page;
        ASSERT_TRUE(codePageOfNumber(c.number, &page)) << c.number;
        EXPECT_EQ(decode(c.bytes, page), c.text) << c.number;
        bool lossless = false;
        EXPECT_EQ(encode(c.text, page, &lossless), c.bytes) << c.number;
        EXPECT_TRUE(lossless) << c.number;
    }
    CodePage page;
    EXPECT_FALSE(codePageOfNumber(0, &page));
    EXPECT_FALSE(codePageOfNumber(12345, &page));
    ASSERT_TRUE(codePageOfNumber(936, &page));
    EXPECT_FALSE(representable(u"中€ž", page));
}

TEST(CodePage, UnrepresentableBecomesQuestionMark) {
    bool lossless = true;
    EXPECT_EQ(encode(u"a€b中", CodePage::Windows1250, &lossless), QByteArray("a\x80"
                                                                             "b?"));
    EXPECT_FALSE(lossless);
    EXPECT_FALSE(representable(u"中", CodePage::Windows1250));
    EXPECT_TRUE(representable(u"žluť", CodePage::Cp852));
}

TEST(CodePage, SystemTextHonoursUtf8Bom) {
    EXPECT_EQ(decodeSystemText("\xEF\xBB\xBF\xC5\xBE"), u"ž");
    EXPECT_EQ(decodeSystemText("\x9E"), u"ž");
}

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
    for (CodePage page : {CodePage::Windows1250, CodePage::Cp852})
        EXPECT_EQ(encode(decode(all, page), page), all);
}

TEST(CodePage, UnrepresentableBecomesQuestionMark) {
    bool lossless = true;
    EXPECT_EQ(encode(u"a€b中", CodePage::Windows1250, &lossless), QByteArray("a\x80" "b?"));
    EXPECT_FALSE(lossless);
    EXPECT_FALSE(representable(u"中", CodePage::Windows1250));
    EXPECT_TRUE(representable(u"žluť", CodePage::Cp852));
}

TEST(CodePage, SystemTextHonoursUtf8Bom) {
    EXPECT_EQ(decodeSystemText("\xEF\xBB\xBF\xC5\xBE"), u"ž");
    EXPECT_EQ(decodeSystemText("\x9E"), u"ž");
}

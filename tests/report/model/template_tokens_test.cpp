#include <gtest/gtest.h>

#include <QStringList>

#include "report/model/template_tokens.h"

using namespace dorvana;
using namespace Qt::StringLiterals;

TEST(TemplateTokenizer, SplitsQuotesAndDefaults) {
    struct Case {
        QString line;
        QStringList tokens;
    };
    const Case cases[] = {
        {u"\"a,b\",c"_s, {u"a,b"_s, u"c"_s}},          // quoted commas stay
        {u"\"ab\"cd,e"_s, {u"abcd"_s, u"e"_s}},        // no escape: quoting ends at the quote
        {u"a\"b,c"_s, {u"a\"b"_s, u"c"_s}},            // unquoted quote belongs to the token
        {u"\"ab\"c\"d,e"_s, {u"abc\"d"_s, u"e"_s}},    // after quoting, quotes are plain
        {u"x,,y,"_s, {u"x"_s, u""_s, u"y"_s}},         // empty tokens; the last comma ends one
        {u"\"unclosed,rest"_s, {u"unclosed,rest"_s}},  // quoting to the end of the line
        {u""_s, {}},
    };
    for (const Case& c : cases) {
        TemplateTokenizer t(c.line);
        QStringList got;
        while (!t.atEnd()) got << t.text();
        EXPECT_EQ(got, c.tokens) << c.line.toStdString();
        EXPECT_EQ(t.text(), QString()) << "a missing token is empty";
    }
}

TEST(TemplateTokenizer, IntegersFallBackToTheirDefault) {
    struct Case {
        QString token;
        int expected;
    };
    const Case cases[] = {
        {u"42"_s, 42},
        {u"-7"_s, -7},
        {u"+3"_s, 3},
        {u""_s, 9},
        {u"12a"_s, 9},
        {u" 1"_s, 9},
        {u"-"_s, 9},
        {u"2147483647"_s, 2147483647},
        {u"-2147483648"_s, -2147483648},
        {u"2147483648"_s, 9},
        {u"99999999999999999999"_s, 9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseIntegerToken(c.token, 9), c.expected) << c.token.toStdString();
    const QString line = u"5"_s;
    TemplateTokenizer t(line);
    EXPECT_EQ(t.integer(1), 5);
    EXPECT_EQ(t.integer(1), 1) << "missing token";
    EXPECT_TRUE(TemplateTokenizer(u"-1"_s).boolean());
    EXPECT_FALSE(TemplateTokenizer(u"0"_s).boolean(true));
}

TEST(TemplateTokens, WriterTokensReadBackAsOneToken) {
    const QString texts[] = {u"a \"quoted\" word, and more"_s, u"line\r\nbreak"_s, u"\"leading"_s,
                             u"plain"_s};
    for (const QString& text : texts) {
        for (const QString& token : {quotedToken(text), plainToken(text)}) {
            const QString line = token + u",next"_s;  // the tokenizer only views its line
            TemplateTokenizer t(line);
            const QString read = t.text();
            EXPECT_EQ(t.text(), u"next"_s) << token.toStdString();
            EXPECT_FALSE(read.contains(u'\r') || read.contains(u'\n'));
            // Writing what was read gives the same token again.
            EXPECT_EQ(token.startsWith(u'"') ? quotedToken(read) : plainToken(read), token);
        }
    }
    EXPECT_EQ(TemplateTokenizer(quotedToken(u"a,b"_s)).text(), u"a,b"_s);
}

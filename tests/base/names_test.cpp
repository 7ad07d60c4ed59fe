// The name rule: which names are the same, what a name is made of, and the
// names an expression references.
#include <gtest/gtest.h>

#include "base/names.h"

using namespace dorvana;

TEST(Names, CharactersOfANameAndReferencedNames) {
    for (const char16_t c : {u'a', u'Z', u'_', u'ž', u'Č', u'ß'}) EXPECT_TRUE(isNameStart(QChar(c)));
    for (const char16_t c : {u'1', u' ', u'#', u'\'', u'.', u'-'}) EXPECT_FALSE(isNameStart(QChar(c)));
    EXPECT_TRUE(isNameChar(QChar(u'7')));

    const struct {
        const char16_t* expression;
        QStringList names;
    } cases[] = {
        {u"#Množství*#cena", {QStringLiteral("Množství"), QStringLiteral("cena")}},
        {u"'#uvnitř' + #venku", {QStringLiteral("venku")}},
        {u"'it''s #x' + #y", {QStringLiteral("y")}},
        {u"#1 + #_a2 + # + #3b", {QStringLiteral("_a2")}},
        {u"@soucet + #a", {QStringLiteral("a")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(referencedNames(QString::fromUtf16(c.expression), u'#'), c.names)
            << QString::fromUtf16(c.expression).toStdString();
    EXPECT_EQ(referencedNames(u"@soucet+#a", u'@'), QStringList{QStringLiteral("soucet")});
}

TEST(Names, KeywordsCompareByTheSameRule) {
    EXPECT_TRUE(sameName(u"and", QLatin1String("AND")));
    EXPECT_TRUE(sameName(u"Length", QLatin1String("LENGTH")));
    EXPECT_FALSE(sameName(u"LENGT", QLatin1String("LENGTH")));
    EXPECT_FALSE(sameName(u"ánd", QLatin1String("AND")));
}

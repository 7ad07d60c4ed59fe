#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "base/ini_file.h"
#include "support/test_support.h"

using namespace dorvana;

TEST(IniFile, MissingFileSectionOrKeyGivesDefault) {
    QTemporaryDir dir;
    const QString path = dir.filePath("none.ini");
    EXPECT_EQ(readIniValue(path, u"A", u"b", "def"), "def");
    IniFile ini;
    ASSERT_TRUE(ini.load(path));
    ini.parse({"[FormatyPapiru]", "Pocet=2"});
    EXPECT_EQ(ini.value(u"formatypapiru", u"POCET"), "2");
    EXPECT_EQ(ini.value(u"FormatyPapiru", u"Chybi", "x"), "x");
    EXPECT_EQ(ini.value(u"Jina", u"Pocet", "y"), "y");
}

TEST(IniFile, KeepsValuesRawAndUnknownLinesInPlace) {
    IniFile ini;
    ini.parse({"; komentář", "[FormatyPapiru]", "F1 = Uživat. (210 x 297 mm),826,1169 ", "nesmysl",
               "", "[Jiná]", "a=\"b,c\""});
    EXPECT_EQ(ini.value(u"FormatyPapiru", u"f1"), "Uživat. (210 x 297 mm),826,1169");
    EXPECT_EQ(ini.value(u"jiná", u"A"), "\"b,c\"");
    ini.setValue(u"formatypapiru", u"F1", "A4,827,1169");
    ini.setValue(u"FormatyPapiru", u"F2", "A5,583,827");
    ini.setValue(u"Nová", u"x", "1");
    EXPECT_EQ(ini.lines(), QStringList({"; komentář", "[FormatyPapiru]", "F1=A4,827,1169", "nesmysl",
                                        "F2=A5,583,827", "", "[Jiná]", "a=\"b,c\"", "[Nová]", "x=1"}));
    ini.removeKey(u"FORMATYPAPIRU", u"f2");
    ini.removeSection(u"jiná");
    EXPECT_EQ(ini.sections(), QStringList({"FormatyPapiru", "Nová"}));
    EXPECT_FALSE(ini.contains(u"FormatyPapiru", u"F2"));
}

TEST(IniFile, WriteThenReadThroughFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sestdll.ini");
    ASSERT_TRUE(writeIniValue(path, u"EditorSestav", u"RastrX", "10"));
    ASSERT_TRUE(writeIniValue(path, u"EditorSestav", u"RastrY", "žluť"));
    EXPECT_EQ(test::fileBytes(path), QByteArray("[EditorSestav]\r\nRastrX=10\r\nRastrY=\x9Elu\x9D\r\n"));
    EXPECT_EQ(readIniValue(path, u"editorsestav", u"rastry"), "žluť");
}

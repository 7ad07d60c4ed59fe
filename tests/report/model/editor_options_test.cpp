// The editor options in sestdll.ini: defaults, corrections on reading, and a
// round trip that keeps the rest of the file.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "base/ini_file.h"
#include "report/model/editor_options.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

QString iniWith(const QTemporaryDir& dir, const char* text) {
    const QString path = dir.filePath(QStringLiteral("sestdll.ini"));
    EXPECT_TRUE(test::writeBytes(path, QByteArray(text)));
    return path;
}

TEST(EditorOptions, MissingFileGivesTheDefaults) {
    QTemporaryDir dir;
    const EditorOptions o = readEditorOptions(dir.filePath(QStringLiteral("nic.ini")));
    EXPECT_EQ(o, EditorOptions{});
    EXPECT_EQ(o.ImplMeritko, 6);
    EXPECT_EQ(o.RastrX, 8);
    EXPECT_TRUE(o.MazaniVice);
    EXPECT_EQ(o.ImplNazevFontu, QStringLiteral("Arial"));
}

TEST(EditorOptions, StoredValuesAreCorrectedOnReading) {
    QTemporaryDir dir;
    const struct {
        const char* text;
        int zoom, rasterX, rasterY, fontSize;
    } cases[] = {
        {"[EditorSestav]\r\nRastrX=0\r\nRastrY=-5\r\n", 6, 1, 1, 10},
        {"[EditorSestav]\r\nImplMeritko=16\r\n[Oddily]\r\nImplVyskaFontu=-1000\r\n", 6, 8, 8, 720},
        {"[EditorSestav]\r\nImplMeritko=-1\r\nRastrX=abc\r\n", 6, 8, 8, 10},
        {"[EditorSestav]\r\nImplMeritko=11\r\nRastrX=10\r\nRastrY=5\r\n", 11, 10, 5, 10},
    };
    for (const auto& c : cases) {
        const EditorOptions o = readEditorOptions(iniWith(dir, c.text));
        EXPECT_EQ(o.ImplMeritko, c.zoom) << c.text;
        EXPECT_EQ(o.RastrX, c.rasterX) << c.text;
        EXPECT_EQ(o.RastrY, c.rasterY) << c.text;
        EXPECT_EQ(o.ImplVyskaFontu, c.fontSize) << c.text;
    }
}

TEST(EditorOptions, ReferencesByNameFollowTheComponentUnlessItAllowsAChoice) {
    QTemporaryDir dir;
    const QString path = iniWith(dir, "[EditorSestav]\r\nSledPodle=0\r\n");
    EXPECT_TRUE(readEditorOptions(path, /*nameFields*/ true, /*enabledTypeFields*/ false).SledPodle);
    EXPECT_FALSE(readEditorOptions(path, true, true).SledPodle);
    const QString none = dir.filePath(QStringLiteral("jiny.ini"));
    EXPECT_FALSE(readEditorOptions(none, false, true).SledPodle);  // default: NameFields
}

TEST(EditorOptions, WritingStoresEveryKeyAndKeepsTheRestOfTheFile) {
    QTemporaryDir dir;
    const QString path =
        iniWith(dir, "[FormatyPapiru]\r\nPocet=1\r\nFormat1=Uzivatelsky,826,1169\r\n");
    EditorOptions o;
    o.ImplMeritko = 3;
    o.RastrX = 10;
    o.MazaniJedne = true;
    o.PocetUndo = 1;
    o.ImplNazevFontu = QStringLiteral("Times New Roman");
    o.ImplVyskaFontu = 12;
    QString error;
    ASSERT_TRUE(writeEditorOptions(path, o, &error)) << error.toStdString();
    EXPECT_EQ(readEditorOptions(path), o);

    IniFile ini;
    ASSERT_TRUE(ini.load(path));
    EXPECT_EQ(ini.entries(u"EditorSestav").size() + ini.entries(u"Oddily").size(), 19);
    EXPECT_EQ(ini.value(u"EditorSestav", u"MazaniJedne"), QStringLiteral("1"));
    EXPECT_EQ(ini.value(u"FormatyPapiru", u"Format1"), QStringLiteral("Uzivatelsky,826,1169"));
}

}  // namespace

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "base/ini_file.h"
#include "report/model/paper/format_edit.h"
#include "report/model/paper/format_list.h"
#include "report/model/paper/page_geometry.h"
#include "support/test_support.h"

using namespace dorvana;

TEST(PageGeometry, LandscapeSwapsThePageAndKeepsTheMarginsOfThePrintedPage) {
    PageGeometry g;
    g.orientation = 1;
    EXPECT_EQ(g.pageWidth(), 1169);
    EXPECT_EQ(g.pageHeight(), 826);
    EXPECT_EQ(g.printableWidth(), 1069);
    EXPECT_EQ(g.printableHeight(), 686);
    g.orientation = 0;
    EXPECT_EQ(g.printableWidth(), 726);
    EXPECT_EQ(g.printableHeight(), 1029);
}

TEST(PaperFormat, ReadsNamesQuotedOrNotAndNumbersLeniently) {
    struct Case {
        QString text;
        TFormatPapiru expected;
    };
    const QList<Case> cases = {
        {"A4 (210 x 297 mm),826,1169", {"A4 (210 x 297 mm)", 826, 1169}},
        {"\"Etiketa 70,5 x 36\",278,142", {"Etiketa 70,5 x 36", 278, 142}},
        {"\"Palec \"\"B\"\"\",100,200", {"Palec \"B\"", 100, 200}},
        {"Jen,120", {"Jen", 120, 0}},
        {"Špatně,abc,12x", {"Špatně", 0, 0}},
        {"Mezery, 300 , 400", {"Mezery", 300, 400}},
        {"Bez čárky", {"Bez čárky", 0, 0}},
        {"", {"", 0, 0}},
        {"\"Neuzavřená,10,20", {"Neuzavřená,10,20", 0, 0}},
        {"Velmi dlouhý název formátu papíru přes limit,10,20",
         {"Velmi dlouhý název formátu papí", 10, 20}},
        {"X,99999999999,-5", {"X", 0, -5}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readFormatText(c.text), c.expected) << c.text.toStdString();
}

TEST(PaperFormat, TextRoundTripsNamesWithCommasAndQuotes) {
    for (const QString& name : {QString("Letter (8.5 x 11\")"), QString("Role 101,6 mm"),
                                QString("\"Moje\" 8,5\""), QString("Obálka otoč.(114 x 162 mm)")}) {
        const TFormatPapiru f{name, 400, 600};
        EXPECT_EQ(readFormatText(formatText(f)), f) << formatText(f).toStdString();
    }
    EXPECT_EQ(formatText({"A4 (210 x 297 mm)", 826, 1169}), "A4 (210 x 297 mm),826,1169");
}

TEST(FormatList, LoadsTheBuiltInFormatsFirstWhenTheFileIsMissing) {
    QTemporaryDir dir;
    TListFormatu list;
    list.append({"zbytek", 1, 1});
    LoadFormats(list, dir.filePath("sestdll.ini"));
    ASSERT_EQ(list.count(), kBuiltInFormatCount);
    EXPECT_EQ(list.at(0), (TFormatPapiru{"Skládaný (8.5 x 12\")", 850, 1200}));
    EXPECT_EQ(list.at(4), (TFormatPapiru{"Executive (7.25 x 10.5\")", 725, 1050}));
    EXPECT_EQ(list.at(7), (TFormatPapiru{"A4 (210 x 297 mm)", 826, 1169}));
    EXPECT_EQ(list.at(9), (TFormatPapiru{"A6 (105 x 148.5mm)", 413, 584}));
    EXPECT_EQ(list.at(16), (TFormatPapiru{"Obálka otoč.(162 x 228 mm)", 637, 896}));
}

TEST(FormatList, LoadsUserFormatsInKeyOrderWithDefaultsForMissingKeys) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sestdll.ini");
    ASSERT_TRUE(test::writeBytes(path,
                                 "[EditorSestav]\r\nRastrX=10\r\n[FormatyPapiru]\r\n"
                                 "Format2=Jen,120\r\nPocetFormatu=3\r\n"
                                 "Format1=\"Role 101,6 mm\",400,600\r\n"
                                 "Format4=Nečte se,1,1\r\n"));
    TListFormatu list;
    LoadFormats(list, path);
    ASSERT_EQ(list.count(), kBuiltInFormatCount + 3);
    EXPECT_EQ(list.at(17), (TFormatPapiru{"Role 101,6 mm", 400, 600}));
    EXPECT_EQ(list.at(18), (TFormatPapiru{"Jen", 120, 0}));
    EXPECT_EQ(list.at(19), (TFormatPapiru{"Uživat. (210 x 297 mm)", 826, 1169}));
}

TEST(FormatList, UnreadableOrDamagedCountGivesNoOrBoundedUserFormats) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sestdll.ini");
    for (const auto& [count, expected] : QList<QPair<QByteArray, int>>{
             {"", 0}, {"abc", 0}, {"-4", 0}, {"2", 2}, {"2147483647", kMaxUserFormats}}) {
        ASSERT_TRUE(test::writeBytes(path, "[FormatyPapiru]\r\nPocetFormatu=" + count + "\r\n"));
        TListFormatu list;
        LoadFormats(list, path);
        EXPECT_EQ(list.count() - kBuiltInFormatCount, expected) << count.constData();
    }
}

TEST(FormatList, SaveWritesTheCountAndKeepsStaleKeysAndOtherSections) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sestdll.ini");
    ASSERT_TRUE(test::writeBytes(path, "[EditorSestav]\r\nRastrX=10\r\n"));
    TListFormatu list;
    LoadFormats(list, path);
    list.append({"Etiketa 1", 300, 200});
    list.append({"Role 101,6 mm", 400, 600});
    list.append({"Etiketa 3", 500, 100});
    ASSERT_TRUE(SaveFormats(list, path));
    EXPECT_EQ(test::fileBytes(path),
              QByteArray("[EditorSestav]\r\nRastrX=10\r\n[FormatyPapiru]\r\nPocetFormatu=3\r\n"
                         "Format1=Etiketa 1,300,200\r\nFormat2=\"Role 101,6 mm\",400,600\r\n"
                         "Format3=Etiketa 3,500,100\r\n"));

    EXPECT_FALSE(list.removeAt(7));  // built-in formats stay
    EXPECT_TRUE(list.removeAt(17));
    ASSERT_TRUE(SaveFormats(list, path));
    EXPECT_EQ(readIniValue(path, u"FormatyPapiru", u"PocetFormatu"), "2");
    EXPECT_EQ(readIniValue(path, u"FormatyPapiru", u"Format3"), "Etiketa 3,500,100");

    TListFormatu again;
    LoadFormats(again, path);
    ASSERT_EQ(again.count(), kBuiltInFormatCount + 2);
    EXPECT_EQ(again.at(17), (TFormatPapiru{"Role 101,6 mm", 400, 600}));
    EXPECT_EQ(again.at(18), (TFormatPapiru{"Etiketa 3", 500, 100}));
}

TEST(FormatList, SaveFailsWithoutTouchingAFileItCannotRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sestdll.ini");
    ASSERT_TRUE(QDir().mkpath(path));  // a folder where the file should be
    TListFormatu list;
    LoadFormats(list, path);
    EXPECT_EQ(list.count(), kBuiltInFormatCount);
    list.append({"X", 1, 2});
    QString error;
    EXPECT_FALSE(SaveFormats(list, path, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(FormatList, FindFormatMatchesWithinOnePercentOrAppendsAUserFormat) {
    struct Case {
        int width, height, index;
    };
    for (const Case& c :
         {Case{826, 1169, 7}, Case{830, 1175, 7}, Case{818, 1158, 7}, Case{850, 1190, 0},
          Case{1169, 826, 17}, Case{836, 1169, 17}, Case{850, 1169, 17}, Case{0, 0, 17}}) {
        TListFormatu list;
        LoadFormats(list, QString());
        const int index = FindFormat(list, c.width, c.height);
        EXPECT_EQ(index, c.index) << c.width << " x " << c.height;
        if (index == kBuiltInFormatCount) {
            ASSERT_EQ(list.count(), kBuiltInFormatCount + 1);
            EXPECT_EQ(list.at(index), (TFormatPapiru{"uživ. formát", c.width, c.height}));
        } else {
            EXPECT_EQ(list.count(), kBuiltInFormatCount);
        }
    }
}

TEST(FormatList, FindFormatTakesTheLowerIndexOfTwoMatches) {
    TListFormatu list;
    LoadFormats(list, QString());
    list.append({"Etiketa A", 500, 500});
    list.append({"Etiketa B", 504, 504});
    EXPECT_EQ(FindFormat(list, 503, 503), 17);
    EXPECT_EQ(FindFormat(list, 508, 508), 18);
    EXPECT_TRUE(sizeMatches(100, 99));
    EXPECT_TRUE(sizeMatches(100, 101));
    EXPECT_FALSE(sizeMatches(100, 102));
}

TEST(FormatEdit, ShowsMillimetresAndStoresOnlyIntegerTexts) {
    EXPECT_EQ(formatSizeMmText("826", "1169"), "210 x 297");
    EXPECT_EQ(formatSizeMmText("", "1169"), "0 x 297");
    EXPECT_EQ(formatSizeMmText(" 413 ", "5x"), "105 x 0");

    TFormatPapiru f{"Moje", 300, 200};
    applyFormatEdit(f, "Nový název, který je delší než limit", "abc", " 450 ");
    EXPECT_EQ(f, (TFormatPapiru{"Nový název, který je delší než ", 300, 450}));
}

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "base/text_file.h"
#include "support/test_support.h"

using namespace dorvana;

TEST(TextFile, SplitsAtEveryKindOfLineEnd) {
    struct Case {
        const char16_t* text;
        QStringList lines;
    } cases[] = {
        {u"", {}},
        {u"a", {"a"}},
        {u"a\r\n", {"a"}},
        {u"a\r\nb", {"a", "b"}},
        {u"a\nb\rc\r\n\r\nd", {"a", "b", "c", "", "d"}},
        {u"\r\n\r\n", {"", ""}},
    };
    for (const Case& c : cases) EXPECT_EQ(splitLines(c.text), c.lines) << QString::fromUtf16(c.text).toStdString();
}

TEST(TextFile, WritesCp1250WithCrLfAndReadsItBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.txt");
    ASSERT_TRUE(writeTextLines(path, {"Žluťoučký", "", "kůň"}));
    EXPECT_EQ(test::fileBytes(path), QByteArray("\x8Elu\x9Dou\xE8k\xFD\r\n\r\nk\xF9\xF2\r\n"));
    QStringList lines;
    ASSERT_TRUE(readTextLines(path, &lines));
    EXPECT_EQ(lines, QStringList({"Žluťoučký", "", "kůň"}));
}

TEST(TextFile, FailedWriteKeepsTheOldFileAndSaysWhy) {
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(writeTextLines(dir.filePath("missing/dir/a.txt"), {"x"}, &error));
    EXPECT_TRUE(error.startsWith("Soubor")) << error.toStdString();
    QStringList lines;
    EXPECT_FALSE(readTextLines(dir.filePath("none.txt"), &lines, &error));
    EXPECT_TRUE(error.contains("none.txt"));
}

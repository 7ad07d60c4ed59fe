// Selection files: marks written in list order as little-endian integers,
// toggled on loading.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/core/selection_file.h"
#include "controls/mark_list.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

class SelectionFileTest : public testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    bool load(const QString& file, QString* error = nullptr) {
        return readSelectionFile(file, [this](qint32 v) { list.toggle(v); }, error);
    }
    void setMarks(const QList<qint32>& values) {
        list.clear();
        for (qint32 v : values) list.add(v);
    }
    QList<qint32> marks() const { return list.values(); }
    QTemporaryDir dir;
    MarkList list;
};

TEST_F(SelectionFileTest, MarksAreWrittenInOrderAndToggledOnLoading) {
    const QString file = path("vyber.sgn");
    ASSERT_TRUE(writeSelectionFile(file, {7, 2, 9}));
    EXPECT_EQ(test::fileBytes(file), QByteArray::fromHex("070000000200000009000000"));

    setMarks({2});
    ASSERT_TRUE(load(file));
    EXPECT_EQ(marks(), (QList<qint32>{7, 9}));  // 2 was marked: toggled off
    ASSERT_TRUE(load(file));
    EXPECT_EQ(marks(), (QList<qint32>{2}));  // twice in a row: as before

    ASSERT_TRUE(writeSelectionFile(file, {-1, 70000}));
    list.clear();
    ASSERT_TRUE(load(file));
    EXPECT_EQ(marks(), (QList<qint32>{-1, 70000}));
}

TEST_F(SelectionFileTest, EmptyAndDamagedFiles) {
    QString error;
    EXPECT_FALSE(writeSelectionFile(path("nic.sgn"), {}, &error));
    EXPECT_EQ(error, QStringLiteral("Není výběr"));
    EXPECT_FALSE(QFile::exists(path("nic.sgn")));

    ASSERT_TRUE(test::writeBytes(path("prazdny.sgn"), {}));
    setMarks({5});
    ASSERT_TRUE(load(path("prazdny.sgn")));
    EXPECT_EQ(marks(), QList<qint32>{5});

    // Six bytes: the whole first record toggles, the broken end is an error.
    ASSERT_TRUE(test::writeBytes(path("kus.sgn"), QByteArray::fromHex("030000000400")));
    EXPECT_FALSE(load(path("kus.sgn"), &error));
    EXPECT_EQ(marks(), (QList<qint32>{5, 3}));
    EXPECT_TRUE(error.contains(QStringLiteral("kus.sgn"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("(načteno 1 značka)"))) << error.toStdString();

    EXPECT_FALSE(load(path("chybi.sgn"), &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace

#include <gtest/gtest.h>

#include "model_test_support.h"
#include "report/model/memo_lines.h"

using namespace dorvana;
using namespace Qt::StringLiterals;

TEST(MemoLines, BreaksAtLineEndsAndWidth) {
    test::FixedMeasurer m;  // 10 units a character
    struct Case {
        QString text;
        int width, flags;
        QStringList lines;
    };
    const Case cases[] = {
        {u"ab\r\ncd\nef\rgh"_s, 1000, 0, {u"ab"_s, u"cd"_s, u"ef"_s, u"gh"_s}},
        {u"ab\r\r\ncd\r\n"_s, 1000, 0, {u"ab"_s, u""_s, u"cd"_s}},
        // Too wide: the line ends before the character that does not fit.
        {u"abcdefghij"_s, 40, 0, {u"abcd"_s, u"efgh"_s, u"ij"_s}},
        // Word wrap: at the last blank after the sixth character, which is consumed.
        {u"jedna dva tri ctyri"_s, 120, MemoFlag::WordWrap, {u"jedna dva"_s, u"tri ctyri"_s}},
        // A blank within the first six characters does not count.
        {u"ab cdefghijk"_s, 80, MemoFlag::WordWrap, {u"ab cdefg"_s, u"hijk"_s}},
        // A line too narrow for one character still takes one.
        {u"abc"_s, 5, MemoFlag::WordWrap, {u"a"_s, u"b"_s, u"c"_s}},
        // Justified lines get extra blanks after their words while they fit.
        {u"aaaaaaa bb cc dd"_s,
         125,
         MemoFlag::WordWrap | MemoFlag::Justify,
         {u"aaaaaaa   bb"_s, u"cc dd"_s}},
        {u"aaaaaaa bb cc dd"_s,
         130,
         MemoFlag::WordWrap | MemoFlag::Justify,
         {u"aaaaaaa bb cc"_s, u"dd"_s}},
        {u"aaaaaaa b c dddd"_s,
         150,
         MemoFlag::WordWrap | MemoFlag::Justify,
         {u"aaaaaaa   b   c"_s, u"dddd"_s}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(breakMemoLines(c.text, c.width, c.flags, {}, &m), c.lines)
            << c.text.toStdString();
    // At most 255 characters a line; without a measurer only line ends break.
    const QStringList lines = breakMemoLines(QString(600, u'x'), 10, 0, {}, nullptr);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].size(), 255);
    EXPECT_EQ(lines[2].size(), 90);
}

TEST(MemoLines, AHugeMemoBreaksOnlyTheLinesItsBoxCanShow) {
    // Counts the characters measured: the work breaking does.
    class CountingMeasurer final : public test::FixedMeasurer {
    public:
        double textWidth(const QString& text, const QString& f, int s, int st) const override {
            measured += text.size();
            return FixedMeasurer::textWidth(text, f, s, st);
        }
        mutable qint64 measured = 0;
    } m;
    QString memo;
    for (int i = 0; i < 100000; ++i) memo += u"slovo další slovo a ještě jedno slovo "_s;  // 3.8 M
    // A box 100 units high at 10 pt shows 6 lines and part of a seventh at a
    // pitch of 15; a smaller pitch where the drawing rounds the font size down.
    const int limit = memoLineLimit(100, 10, MemoFlag::WordWrap, 1000);
    EXPECT_EQ(limit, 12);
    const QStringList lines = breakMemoLines(memo, 200, MemoFlag::WordWrap, {}, &m, limit);
    const test::FixedMeasurer plain;
    EXPECT_EQ(lines,
              breakMemoLines(memo.left(2000), 200, MemoFlag::WordWrap, {}, &plain).mid(0, 12));
    EXPECT_LT(m.measured, 100000);
    // A growing memo goes on until it grows by more than twice the page
    // height; without a page height to the end.
    const int grow = memoLineLimit(100, 10, MemoFlag::Grow, 1000);
    EXPECT_EQ(grow, 212);
    EXPECT_GT(grow * 10 * 3 / 2 - 100, 2 * 1000);
    EXPECT_EQ(memoLineLimit(100, 10, MemoFlag::Grow, 0), -1);
}

// The filter dialog's composition of filter texts.
#include <gtest/gtest.h>

#include <QLocale>
#include <QTemporaryDir>

#include "app/core/filter_composer.h"
#include "base/code_page.h"
#include "data/data_set.h"
#include "data/label_file.h"
#include "report/expr/format/format_settings.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

class FilterComposerTest : public testing::Test {
protected:
    void SetUp() override { setFormatLocale(QLocale(QLocale::Czech, QLocale::Czechia)); }
    void TearDown() override { resetFormatLocale(); }
    FilterComposer composer{{{QStringLiteral("nazev1"), 40, FieldType::String, {}},
                             {QStringLiteral("cislo"), 10, FieldType::Integer, {}},
                             {QStringLiteral("cena"), 12, FieldType::Currency, {}},
                             {QStringLiteral("datum1"), 10, FieldType::Date, {}},
                             {QStringLiteral("kod"), 3, FieldType::String, {}}}};
};

TEST_F(FilterComposerTest, ConditionTextsAndTheirShapes) {
    composer.choose(0);
    ASSERT_TRUE(composer.addText(QStringLiteral(" ab "), QStringLiteral("ac")));
    EXPECT_EQ(composer.filterText(),
              QStringLiteral("((nazev1>='ab')and(nazev1<='ac") + QString(38, u'ž') +
                  QStringLiteral("'))"));

    composer.reset();
    composer.choose(1);
    ASSERT_TRUE(composer.addWholeNumber(5, 5));
    composer.choose(4);
    ASSERT_TRUE(composer.addText(QStringLiteral("abc"), QStringLiteral("abc")));  // fills the width
    EXPECT_EQ(composer.filterText(), QStringLiteral("((cislo=5) and (kod='abc'))"));

    composer.reset();
    composer.choose(1);
    ASSERT_TRUE(composer.addWholeNumber(1, 9));
    composer.nextGroup();
    composer.nextGroup();  // once only
    composer.choose(2);
    ASSERT_TRUE(composer.addRealNumber(12.5, 12.5));
    composer.nextGroup();
    composer.choose(3);
    ASSERT_TRUE(composer.addDate(QStringLiteral("1.1.2024"), QStringLiteral("10.1.2024")));
    EXPECT_EQ(composer.filterText(),
              QStringLiteral("((cislo>=1)and(cislo<=9)) or ((cena='12,50')) or "
                             "((datum1>=1.1.2024)and(datum1<=10.1.2024))"));
    EXPECT_EQ(composer.groupCount(), 2);
}

TEST_F(FilterComposerTest, ReversedRangesAddNothing) {
    composer.nextGroup();  // before any condition: nothing
    EXPECT_TRUE(composer.expression().isEmpty());
    QString error;
    composer.choose(0);
    EXPECT_FALSE(composer.addText(QStringLiteral("b"), QStringLiteral("a"), &error));
    EXPECT_EQ(error, QStringLiteral("Chybné zadání"));
    composer.choose(1);
    EXPECT_FALSE(composer.addWholeNumber(9, 1));
    composer.choose(2);
    EXPECT_FALSE(composer.addRealNumber(2.5, 2.25));
    composer.choose(3);
    EXPECT_FALSE(composer.addDate(QStringLiteral("2.1.2024"), QStringLiteral("1.1.2024")));
    EXPECT_FALSE(composer.addDate(QStringLiteral("  .  .    "), QStringLiteral("1.1.2024")));
    EXPECT_EQ(composer.conditionCount(), 0);
    EXPECT_TRUE(composer.filterText().isEmpty()) << "OK without conditions: filtering off";
}

TEST_F(FilterComposerTest, ChoosingAFieldAgainTicksItsBox) {
    EXPECT_EQ(composer.choose(3), FilterInput::Date);
    EXPECT_FALSE(composer.isTicked(3));
    composer.choose(3);
    EXPECT_TRUE(composer.isTicked(3));
    composer.reset();
    EXPECT_FALSE(composer.isTicked(3));

    EXPECT_EQ(filterPicture({QStringLiteral("n"), 5, FieldType::String, {}}), QStringLiteral("XXXXX"));
    EXPECT_EQ(filterPicture({QStringLiteral("n"), 5, FieldType::Smallint, {}}), QStringLiteral("99999"));
    EXPECT_EQ(filterPicture({QStringLiteral("n"), 9, FieldType::Currency, {}}),
              QStringLiteral("##,###,###,###.99"));
    EXPECT_EQ(filterPicture({QStringLiteral("n"), 9, FieldType::Float, QStringLiteral("0.000")}),
              QStringLiteral("0.000"));
    EXPECT_EQ(filterInput(FieldType::Boolean), FilterInput::None);
}

TEST_F(FilterComposerTest, FilterFileHoldsWhatOkApplies) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("f.flt"));
    composer.choose(0);
    ASSERT_TRUE(composer.addText(QStringLiteral("Žito"), QStringLiteral("Žito")));
    ASSERT_TRUE(saveFilterFile(file, composer.filterText()));
    const QByteArray bytes = test::fileBytes(file);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(decode(bytes.chopped(2), CodePage::Windows1250), composer.filterText());
    QString loaded;
    ASSERT_TRUE(loadFilterFile(file, &loaded));
    EXPECT_EQ(loaded, composer.filterText());
}

}  // namespace

namespace {

// What the composer writes, the table engine takes: the filters select the
// records they describe on a label file.
TEST(FilterComposerOnATable, TheEngineAppliesWhatTheComposerWrites) {
    setFormatLocale(QLocale(QLocale::Czech, QLocale::Czechia));
    QTemporaryDir dir;
    QString error;
    const QString path = dir.filePath(QStringLiteral("etikety.db"));
    ASSERT_TRUE(createLabelFile(path, &error)) << error.toStdString();
    auto labels = openLabelDataSet(path, &error);
    ASSERT_TRUE(labels) << error.toStdString();
    const struct {
        qint32 number;
        const char16_t* name;
        double price;
    } rows[] = {{1, u"abeceda", 10}, {2, u"acetylen", 12.5}, {3, u"ad", 12.5}, {4, u"Žito", 30}};
    for (const auto& r : rows) {
        ASSERT_TRUE(labels->append(&error));
        labels->findField(QStringLiteral("cislo"))->setValue(TaggedValue(r.number));
        labels->findField(QStringLiteral("nazev1"))->setValue(TaggedValue(QString::fromUtf16(r.name)));
        labels->findField(QStringLiteral("cena"))->setValue(TaggedValue(r.price));
        ASSERT_TRUE(labels->post(&error)) << error.toStdString();
    }
    FilterComposer composer(filterFields(*labels));
    auto index = [&](const char* label) {
        for (int i = 0; i < composer.fields().size(); ++i)
            if (composer.fields()[i].label == QString::fromLatin1(label)) return i;
        return -1;
    };
    auto numbers = [&] {
        QList<int> out;
        EXPECT_TRUE(labels->setFilter(composer.filterText(), &error));
        EXPECT_TRUE(labels->setFiltered(true, &error)) << composer.filterText().toStdString() << ": "
                                                       << error.toStdString();
        for (labels->first(); !labels->atEnd(); labels->next())
            out << labels->findField(QStringLiteral("cislo"))->value().asInteger();
        return out;
    };
    ASSERT_GE(index("nazev1"), 0);
    composer.choose(index("nazev1"));
    ASSERT_TRUE(composer.addText(QStringLiteral("ab"), QStringLiteral("ac")));
    EXPECT_EQ(numbers(), (QList<int>{1, 2}));

    composer.reset();
    composer.choose(index("cena"));
    ASSERT_TRUE(composer.addRealNumber(12.5, 12.5));
    composer.nextGroup();
    composer.choose(index("cislo"));
    ASSERT_TRUE(composer.addWholeNumber(4, 4));
    EXPECT_EQ(numbers(), (QList<int>{2, 3, 4}));
    resetFormatLocale();
}

}  // namespace

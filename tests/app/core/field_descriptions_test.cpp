// Field description lines: how a line is read, and what the lines do to the label columns.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/core/field_descriptions.h"
#include "app/core/label_columns.h"
#include "data/label_file.h"

namespace dorvana {
namespace {

TEST(DescriptionLine, TitleAndFormat) {
    const struct {
        const char* line;
        const char* title;
        const char* format;
        bool hasFormat;
    } cases[] = {
        {"Cena;# ### ### ##0.00", "Cena", "# ### ### ##0.00", true},
        {"Číslo1*kusů v balení", "Číslo1", "", false},
        {"COUNTER#5", "COUNTER", "", false},
        {"Název;>LL;a*b#c", "Název", ">LL;a*b#c", true},
        {"Prostý titulek", "Prostý titulek", "", false},
        {"a*b#c", "a", "", false},
    };
    for (const auto& c : cases) {
        const DescriptionLine d = parseDescriptionLine(QString::fromUtf8(c.line));
        EXPECT_EQ(d.title, QString::fromUtf8(c.title)) << c.line;
        EXPECT_EQ(d.format, QString::fromUtf8(c.format)) << c.line;
        EXPECT_EQ(d.hasFormat, c.hasFormat) << c.line;
    }
    EXPECT_EQ(parseDescriptionLine(QStringLiteral("T;") + QString(100, u'9')).format.size(), 80);
}

QStringList visibleFields(const GridColumns& cols) {
    QStringList out;
    for (const GridColumn& c : cols)
        if (c.width > 0) out << c.fieldName;
    return out;
}

TEST(DescriptionLines, ApplyingThemSetsTitlesFormatsAndHidesFieldsWithoutALine) {
    QTemporaryDir dir;
    QString err;
    const QString path = dir.filePath(QStringLiteral("kuk.db"));
    ASSERT_TRUE(createLabelFile(path, &err));
    auto table = openLabelDataSet(path, &err);
    ASSERT_TRUE(table);

    GridColumns cols = defaultLabelColumns();
    QStringList lines(15);
    lines[0] = QStringLiteral("Číslo");
    lines[1] = QStringLiteral("Zboží;>L");
    lines[4] = QStringLiteral("Číslo1*komentář");
    lines[6] = QStringLiteral("Cena;# ### ### ##0.00");
    lines[11] = QStringLiteral("Datum;dd.mm.yy");
    lines[13] = QStringLiteral("Logo");
    DescriptionEffects fx = applyDescriptionLines(cols, lines, table.get());

    EXPECT_EQ(visibleFields(cols), QStringList({"cislo", "nazev1", "cislo1", "cena", "datum1", "logo"}));
    EXPECT_EQ(cols[1].title, QStringLiteral("Zboží"));
    EXPECT_EQ(cols[2].title, QStringLiteral("Číslo1"));
    EXPECT_EQ(cols[3].title, QStringLiteral("Cena"));
    EXPECT_EQ(cols[3].description, QStringLiteral("Cena;# ### ### ##0.00"));
    EXPECT_EQ(cols[3].width, 70);
    EXPECT_FALSE(cols[3].readOnly);
    EXPECT_EQ(cols[4].title, QStringLiteral("Datum"));
    Field* cena = table->findField(QStringLiteral("cena"));
    EXPECT_EQ(cena->displayFormat(), QStringLiteral("# ### ### ##0.00"));
    EXPECT_EQ(cena->editFormat(), QStringLiteral("# ### ### ##0.00"));
    EXPECT_EQ(table->findField(QStringLiteral("nazev1"))->editMask(), QStringLiteral(">L"));
    EXPECT_TRUE(table->findField(QStringLiteral("datum1"))->displayFormat().isEmpty());
    EXPECT_TRUE(fx.imageEdit);
    EXPECT_FALSE(fx.noteEdit);
    // Hidden columns behind the visible ones, read-only: pozn (already
    // behind) first, then the moved ones in their old order.
    EXPECT_EQ(cols[6].fieldName, QStringLiteral("pozn"));
    EXPECT_EQ(cols[7].fieldName, QStringLiteral("nazev2"));
    EXPECT_EQ(cols[8].fieldName, QStringLiteral("barcode"));
    EXPECT_TRUE(cols[7].readOnly);
    EXPECT_EQ(cols[15].fieldName, QStringLiteral("Calc"));
    EXPECT_EQ(cols[16].fieldName, QStringLiteral("Calc"));
    EXPECT_EQ(cols[15].width + cols[16].width, 0);

    // Giving nazev2 a line shows it again with its default width; emptying
    // the logo line hides it and turns picture editing off.
    lines[2] = QStringLiteral("Název2");
    lines[13].clear();
    fx = applyDescriptionLines(cols, lines, table.get());
    EXPECT_EQ(visibleFields(cols), QStringList({"cislo", "nazev1", "cislo1", "cena", "datum1", "nazev2"}));
    EXPECT_EQ(cols[5].width, 240);
    EXPECT_FALSE(fx.imageEdit);
    EXPECT_EQ(cols.size(), kLabelColumnCount);
}

TEST(DescriptionLines, AListKeepsAtMostFifteenLines) {
    QStringList lines;
    for (int i = 0; i < 16; ++i) lines << QString::number(i);
    const QStringList kept = limitDescriptionLines(lines);
    EXPECT_EQ(kept.size(), 15);
    EXPECT_EQ(kept.last(), QStringLiteral("14"));
}

}  // namespace
}  // namespace dorvana

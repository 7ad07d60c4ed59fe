// The recent-files list.
#include <gtest/gtest.h>

#include "app/core/recent_files.h"
#include "app/core/sql_from_rewrite.h"

namespace dorvana {
namespace {

TEST(RecentFiles, EntriesByPathAndKind) {
    RecentFiles r;
    r.add(QStringLiteral("/d/a.db"), 1);
    r.add(QStringLiteral("/d/b.db"), 1);
    r.add(QStringLiteral("/d/a.db"), 1);  // already there: not moved up
    EXPECT_EQ(r.entries(), QStringList({"/d/b.db;1", "/d/a.db;1"}));
    r.add(QStringLiteral("/d/a.db"), 3);  // the same path as a foreign table: a second entry
    EXPECT_EQ(r.entries().first(), QStringLiteral("/d/a.db;2"));
    for (int i = 0; i < 5; ++i) r.add(QStringLiteral("/d/f%1.dbf").arg(i), 2);
    ASSERT_EQ(r.entries().size(), 8);
    EXPECT_EQ(r.entries().last(), QStringLiteral("/d/a.db;1"));
    r.add(QStringLiteral("/d/ninth.db"), 1);
    EXPECT_EQ(r.entries().size(), 8);
    EXPECT_EQ(r.entries().first(), QStringLiteral("/d/ninth.db;1"));
    EXPECT_FALSE(r.entries().contains(QStringLiteral("/d/a.db;1")));
}

TEST(RecentFiles, EntryParts) {
    EXPECT_EQ(RecentFiles::caption(QStringLiteral("/home/x/data/kuk.db;1")), QStringLiteral("kuk.db"));
    EXPECT_EQ(RecentFiles::pathOf(QStringLiteral("/x/kuk.db;2")), QStringLiteral("/x/kuk.db"));
    EXPECT_EQ(RecentFiles::kindOf(QStringLiteral("/x/kuk.db;2")), 2);
    EXPECT_EQ(RecentFiles::kindOf(QStringLiteral("/x/kuk.db;x")), 1);
    EXPECT_EQ(RecentFiles::kindOf(QStringLiteral("/x/kuk.db")), 1);
}

TEST(SqlFromRewrite, TheTableOfAHandEditedQueryBecomesAPath) {
    const struct {
        const char* line;
        const char* expected;
    } cases[] = {
        {"zbozi.dbf", "\"/data/zbozi.dbf\" T1"},
        {"\"zbozi.dbf\" T1", "\"/data/zbozi.dbf\" T1"},
        {"\"moje zbozi.csv\" Z", "\"/data/moje zbozi.csv\" Z"},
        {"\"/jinde/x.db\" T1", "\"/jinde/x.db\" T1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rewriteTableReference(QString::fromUtf8(c.line), QStringLiteral("/data/")),
                  QString::fromUtf8(c.expected))
            << c.line;
    const QStringList sql = {"SELECT *", "FROM ", "zbozi.dbf", "WHERE cena > 1"};
    EXPECT_EQ(rewriteFromLines(sql, {"/data/"}),
              QStringList({"SELECT *", "FROM ", "\"/data/zbozi.dbf\" T1", "WHERE cena > 1"}));
    EXPECT_EQ(rewriteFromLines(sql, {"/a/", "/b/"}), sql);  // a join names its tables itself
}

}  // namespace
}  // namespace dorvana

#include "app/core/status_texts.h"

namespace dorvana {
namespace {

TEST(StatusTexts, ClockAndHints) {
    EXPECT_EQ(clockText(QDateTime(QDate(2026, 12, 7), QTime(9, 5, 3))),
              QStringLiteral("7 prosinec 2026 09:05:03"));
    EXPECT_EQ(clockText(QDateTime(QDate(2027, 3, 21), QTime(23, 59, 0))),
              QStringLiteral("21 březen 2027 23:59:00"));
    EXPECT_EQ(longHint(QStringLiteral("Otevřít soubor|Otevření souboru databáze")),
              QStringLiteral("Otevření souboru databáze"));
    EXPECT_EQ(longHint(QStringLiteral("Otevřít soubor|")), QString());
    EXPECT_EQ(longHint(QStringLiteral("Archivace dat - Obnova dat")),
              QStringLiteral("Archivace dat - Obnova dat"));
    EXPECT_EQ(shortHint(QStringLiteral("Otevřít soubor|x")), QStringLiteral("Otevřít soubor"));
}

}  // namespace
}  // namespace dorvana

#include <QTemporaryDir>

#include "app/core/query_design.h"

namespace dorvana {
namespace {

TEST(QueryDesign, StatementOfTablesFieldsJoinConditionsAndOrder) {
    QueryDesign d;
    EXPECT_TRUE(generateSql(d).isEmpty());
    d.tables = {QStringLiteral("/d/zbozi.db")};
    EXPECT_EQ(generateSql(d), QStringList({"SELECT T1.*", "FROM ", "\"/d/zbozi.db\" T1"}));
    d.tables << QStringLiteral("/d/ceny.csv");
    d.fields = {qualifiedField(0, QStringLiteral("cislo")), qualifiedField(1, QStringLiteral("nová cena"))};
    d.joinLeft = qualifiedField(0, QStringLiteral("barcode"));
    d.joinRight = qualifiedField(1, QStringLiteral("ean"));
    d.conditions = {{QStringLiteral("T1.cena"), QStringLiteral(">"), QStringLiteral("10.5")},
                    {QStringLiteral("T1.nazev1"), QStringLiteral("LIKE"), QStringLiteral("Jo's%")}};
    d.order = {{QStringLiteral("T1.nazev1"), false}, {QStringLiteral("T1.cislo"), true}};
    EXPECT_EQ(generateSql(d),
              QStringList({"SELECT T1.cislo, T2.\"nová cena\"", "FROM ", "\"/d/zbozi.db\" T1",
                           "INNER JOIN \"/d/ceny.csv\" T2 ON T1.barcode = T2.ean",
                           "WHERE T1.cena > 10.5 AND T1.nazev1 LIKE 'Jo''s%'",
                           "ORDER BY T1.nazev1, T1.cislo DESC"}));
}

TEST(QueryDesign, SavedQueriesLoadBackWithTheirDesign) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dotaz.sql"));
    QueryDesign d;
    d.tables = {QStringLiteral("/d/zbozi.db"), QStringLiteral("/d/ceny.csv")};
    d.fields = {QStringLiteral("T1.cislo"), QStringLiteral("T2.\"nová cena\"")};
    d.joinLeft = QStringLiteral("T1.barcode");
    d.joinRight = QStringLiteral("T2.ean");
    d.conditions = {{QStringLiteral("T1.cena"), QStringLiteral(">"), QStringLiteral("10.5")},
                    {QStringLiteral("T1.nazev1"), QStringLiteral("LIKE"), QStringLiteral("Jo's; %")}};
    d.order = {{QStringLiteral("T1.nazev1"), false}, {QStringLiteral("T1.cislo"), true}};
    const QStringList sql = generateSql(d);
    QString err;
    ASSERT_TRUE(saveQueryFile(path, sql, d, &err));
    QStringList back;
    QueryDesign loaded;
    ASSERT_TRUE(loadQueryFile(path, &back, &loaded, &err));
    EXPECT_EQ(back, sql);
    EXPECT_EQ(loaded.tables, d.tables);
    EXPECT_EQ(loaded.fields, d.fields);
    EXPECT_EQ(loaded.joinLeft, d.joinLeft);
    EXPECT_EQ(loaded.joinRight, d.joinRight);
    EXPECT_EQ(generateSql(loaded), sql) << "the conditions and the order come back too";
    EXPECT_FALSE(loadQueryFile(dir.filePath(QStringLiteral("chybi.sql")), &back, &loaded, &err));
    EXPECT_TRUE(err.startsWith(QStringLiteral("Soubor ")));
}

}  // namespace
}  // namespace dorvana

#include "app/core/desk_calculator.h"

namespace dorvana {
namespace {

TEST(DeskCalculator, KeySequences) {
    const struct {
        const char* keys;
        const char* shown;
    } cases[] = {
        {"12+30=", "42"}, {"2*3+4=", "10"}, {"1,5*2=", "3"}, {"7/0=", "Chyba"},
        {"7/0=C5", "5"},  {"9±-1=", "-10"}, {"5+=", "5"},     {",5+1=", "1,5"},
    };
    for (const auto& c : cases) {
        DeskCalculator calc;
        for (const QChar k : QString::fromUtf8(c.keys)) calc.press(QString(k));
        EXPECT_EQ(calc.display(), QString::fromUtf8(c.shown)) << c.keys;
    }
}

}  // namespace
}  // namespace dorvana

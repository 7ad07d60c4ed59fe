// dorvana-cli sheets: listing products, and a template's page applied for a
// product, rendered with one label per record: every label's box on the page
// lies where the product puts it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>

#include "base/code_page.h"
#include "base/units.h"
#include "report/model/paper/sheet_catalogue.h"
#include "report/model/paper/sheet_page.h"
#include "support/test_support.h"

namespace {

using dorvana::test::runCli;

class SheetsCli : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dorvana::test::cliBuilt()) << "dorvana-cli is not built";
        // No user files of the machine's user.
        qputenv("XDG_DATA_HOME", dir.path().toUtf8());
    }
    void TearDown() override { qunsetenv("XDG_DATA_HOME"); }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    // A label template: one field value element at the body's top left.
    void writeTemplate(const QString& file, int w, int h) const {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("I,0,\"Arch\"\r\nI,1,1,5,1,0,0\r\n"
                               "I,2,0,826,1169,50,50,70,70,1,0,4,4,0,1\r\n"
                               "I,3,0,0,0,0,0\r\nI,3,1,0,0,0,0\r\nI,3,2,1,100,0,0\r\n"
                               "I,3,3,0,0,0,0\r\nI,3,4,0,0,0,0\r\nI,3,5,0,0,0,0\r\n"
                               "I,3,6,0,0,0,0\r\nI,6,\"cislo\"\r\n"
                               "T,2,cislo,0,0,%1,%2,Arial,6,0,0,0,0,1,238,\"\",\"\",0\r\n")
                    .arg(w)
                    .arg(h)
                    .toLatin1());
    }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(SheetsCli, ListsProductsAndRefusesUnknownOnes) {
    const auto run =
        runCli(QStringLiteral("sheets"), {QStringLiteral("avery"), QStringLiteral("L7163")});
    EXPECT_EQ(run.exitCode, 0) << run.error.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("Avery L7163\tA4, 2 × 7 štítků 99,1 × 38,1 mm")))
        << run.out.toStdString();
    const auto none = runCli(QStringLiteral("sheets"), {QStringLiteral("žádnýtakový")});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.error.contains(QStringLiteral("žádný arch neodpovídá")));
    writeTemplate(path("t.pte"), 100, 50);
    const QByteArray before = dorvana::test::fileBytes(path("t.pte"));
    const auto unknown = runCli(
        QStringLiteral("sheets"),
        {QStringLiteral("Nikdo"), QStringLiteral("1"), QStringLiteral("--apply"), path("t.pte")});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.error.contains(QStringLiteral("není v katalogu")));
    EXPECT_EQ(dorvana::test::fileBytes(path("t.pte")), before);
    EXPECT_FALSE(QFile::exists(path("t.BAK")));
}

TEST_F(SheetsCli, AppliedPagePutsEveryLabelWhereTheSheetHasIt) {
    dorvana::SheetCatalogue catalogue = dorvana::SheetCatalogue::standard();
    struct Case {
        const char* brand;
        const char* part;
        double within;                        // mm
    } cases[] = {{"Zweckform", "3474", 0.6},  // A4 3 x 8, 70 x 37 mm (drift stated)
                 {"Avery", "L7163", 0.2},     // A4 2 x 7, 99.1 x 38.1 mm
                 {"Avery", "5160", 0.2},      // US Letter 3 x 10, inches
                 {"Avery", "32015", 0.2}};    // A4 2 x 4 with gaps between rows
    for (const Case& k : cases) {
        SCOPED_TRACE(k.part);
        const dorvana::SheetProduct* p =
            catalogue.find(QString::fromUtf8(k.brand), QString::fromUtf8(k.part));
        // The built-in list has the A4 products; the others come with
        // glabels-data, which scripts/install-deps installs.
        ASSERT_TRUE(p) << k.brand << " " << k.part << " is not in the catalogue: is glabels-data installed?";
        dorvana::SheetPage page;
        QString error;
        ASSERT_TRUE(dorvana::sheetPageFor(*p, &page, &error)) << error.toStdString();
        const QString file = path("t.pte");
        QFile::remove(file);
        QFile::remove(path("t.BAK"));
        writeTemplate(file, page.labelWidth, page.labelHeight);
        const QByteArray original = dorvana::test::fileBytes(file);
        const auto applied =
            runCli(QStringLiteral("sheets"), {QString::fromUtf8(k.brand), QString::fromUtf8(k.part),
                                              QStringLiteral("--apply"), file});
        ASSERT_EQ(applied.exitCode, 0) << applied.error.toStdString();
        EXPECT_EQ(dorvana::test::fileBytes(path("t.BAK")), original);
        EXPECT_EQ(applied.error.contains(QStringLiteral("mm mimo")), !page.warning.isEmpty());

        const dorvana::SheetLayout& l = p->layouts[0];
        QFile data(path("d.csv"));
        ASSERT_TRUE(data.open(QIODevice::WriteOnly | QIODevice::Truncate));
        data.write("cislo\n");
        for (int i = 1; i <= l.nx * l.ny + 1; ++i) data.write(QByteArray::number(i) + '\n');
        data.close();
        const QString out = path("o.json");
        const auto rendered =
            runCli(QStringLiteral("render"),
                   {file, QStringLiteral("--table"), path("d.csv"), QStringLiteral("--out"), out});
        ASSERT_EQ(rendered.exitCode, 0) << rendered.error.toStdString();
        const QJsonObject dump = QJsonDocument::fromJson(dorvana::test::fileBytes(out)).object();
        // A full sheet, then the one record left on the next.
        EXPECT_EQ(dump[u"pageCount"].toInt(), 2);
        const QJsonArray labels = dump[u"pages"].toArray()[0].toObject()[u"elements"].toArray();
        ASSERT_EQ(labels.size(), l.nx * l.ny);
        // Element boxes are dumped relative to the printable area.
        const int left0 = dump[u"paper"].toObject()[u"left"].toInt();
        const int top0 = dump[u"paper"].toObject()[u"top"].toInt();
        EXPECT_EQ(left0, page.geometry.leftMargin);
        EXPECT_EQ(top0, page.geometry.topMargin);
        double worst = 0;
        for (int i = 0; i < labels.size(); ++i) {
            const QJsonObject e = labels[i].toObject();
            const int n = e[u"text"].toString().toInt() - 1;
            const int col = n % l.nx, row = n / l.nx;  // labels fill a row, then the next
            const double x = (l.x0 + col * l.dx) / dorvana::kPointsPerMm;
            const double y = (l.y0 + row * l.dy) / dorvana::kPointsPerMm;
            const double left = dorvana::unitsToMm(left0 + e[u"x"].toInt());
            const double top = dorvana::unitsToMm(top0 + e[u"y"].toInt());
            const double right = dorvana::unitsToMm(left0 + e[u"x"].toInt() + e[u"w"].toInt());
            const double bottom = dorvana::unitsToMm(top0 + e[u"y"].toInt() + e[u"h"].toInt());
            worst = std::max({worst, std::abs(left - x), std::abs(top - y),
                              std::abs(right - x - p->width / dorvana::kPointsPerMm),
                              std::abs(bottom - y - p->height / dorvana::kPointsPerMm)});
        }
        EXPECT_LE(worst, k.within);
    }
}

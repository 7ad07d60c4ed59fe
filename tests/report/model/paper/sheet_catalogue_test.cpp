// The label sheet catalogue: the glabels-data files as installed
// (scripts/install-deps installs the package), hostile files, search, the
// user's files, and the template page made for a product.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include "base/units.h"
#include "report/model/paper/sheet_catalogue.h"
#include "report/model/paper/sheet_page.h"

using namespace dorvana;

namespace {

QString systemFile(const char* name) {
    return QDir(SheetCatalogue::systemFolder()).filePath(QString::fromUtf8(name));
}

bool packageInstalled() {
    return QFile::exists(systemFile("avery-iso-templates.xml"));
}

const SheetProduct& product(const SheetCatalogue& c, const char* brand, const char* part) {
    const SheetProduct* p = c.find(QString::fromUtf8(brand), QString::fromUtf8(part));
    if (!p) throw std::runtime_error(std::string("no product ") + brand + " " + part);
    return *p;
}

double mm(double points) {
    return points / kPointsPerMm;
}

const QByteArray kGood =
    "<Template brand=\"Test\" part=\"OK-1\" size=\"A4\" _description=\"Good\">"
    "<Label-rectangle id=\"0\" width=\"70mm\" height=\"37mm\" round=\"0\">"
    "<Layout nx=\"3\" ny=\"8\" x0=\"0\" y0=\"0.5mm\" dx=\"70mm\" dy=\"37mm\"/>"
    "</Label-rectangle></Template>";

QByteArray sheetFile(const QByteArray& templates, const QByteArray& prolog = {}) {
    return "<?xml version=\"1.0\"?>\n" + prolog + "<Glabels-templates>\n" + templates +
           "\n</Glabels-templates>\n";
}

}  // namespace

TEST(SheetCatalogue, ReadsThePackageFilesWithUnitsAndAliases) {
    ASSERT_TRUE(packageInstalled()) << "glabels-data is not installed (scripts/install-deps installs it)";
    SheetCatalogue c;
    ASSERT_TRUE(c.readFile(systemFile("avery-iso-templates.xml")));
    c.resolveEquivalents();
    // Every product of the file, each alias resolved, none left out.
    QFile file(systemFile("avery-iso-templates.xml"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_EQ(c.products().size(), text.count("<Template "));
    EXPECT_EQ(c.products().size(), 66);
    EXPECT_TRUE(c.messages().isEmpty()) << c.messages().join(u'\n').toStdString();

    // L7160 is an alias of 7160 (lengths in points without a unit).
    const SheetProduct& l7160 = product(c, "Avery", "L7160");
    EXPECT_EQ(l7160.equivalentOf, QStringLiteral("7160"));
    EXPECT_DOUBLE_EQ(l7160.width, 181.4);
    EXPECT_DOUBLE_EQ(l7160.height, 108.0);
    ASSERT_EQ(l7160.layouts.size(), 1);
    EXPECT_EQ(l7160.layouts[0].nx, 3);
    EXPECT_EQ(l7160.layouts[0].ny, 7);
    EXPECT_DOUBLE_EQ(l7160.layouts[0].dx, 187.2);
    EXPECT_NEAR(mm(l7160.paperWidth), 210, 1e-9);
    EXPECT_NEAR(mm(l7160.paperHeight), 297, 1e-9);

    // Millimetres: L4730 mini labels 17.8 x 10 mm, 10 x 27.
    const SheetProduct& l4730 = product(c, "Avery", "L4730");
    EXPECT_NEAR(mm(l4730.width), 17.8, 1e-9);
    EXPECT_NEAR(mm(l4730.layouts[0].dx), 20.3, 1e-9);
    EXPECT_EQ(l4730.labelCount(), 270);
    // CD labels are listed but cannot be placed.
    bool cd = false;
    for (const SheetProduct& p : c.products())
        if (p.shape == SheetShape::Cd) cd = !p.placeable();
    EXPECT_TRUE(cd);

    // Inches and US Letter: 5160 is 2.625 x 1 in, 3 x 10.
    SheetCatalogue us;
    ASSERT_TRUE(us.readFile(systemFile("avery-us-templates.xml")));
    us.resolveEquivalents();
    const SheetProduct& a5160 = product(us, "Avery", "5160");
    EXPECT_DOUBLE_EQ(a5160.width, 2.625 * 72);
    EXPECT_DOUBLE_EQ(a5160.layouts[0].x0, 0.15625 * 72);
    EXPECT_DOUBLE_EQ(a5160.paperWidth, 612);
    EXPECT_DOUBLE_EQ(a5160.paperHeight, 792);
}

TEST(SheetCatalogue, LengthsInEveryUnit) {
    struct Case {
        const char* text;
        bool ok;
        double points;
    } cases[] = {{"72", true, 72},     {"72pt", true, 72},   {"1in", true, 72},
                 {"25.4mm", true, 72}, {"2.54cm", true, 72}, {" 10 mm ", true, 10 * kPointsPerMm},
                 {"in", false, 0},     {"", false, 0},       {"-3mm", false, 0},
                 {"1e400", false, 0},  {"nan", false, 0},    {"3px", false, 0}};
    for (const Case& c : cases) {
        double points = -1;
        EXPECT_EQ(parseSheetLength(QString::fromUtf8(c.text), &points), c.ok) << c.text;
        if (c.ok) {
            EXPECT_NEAR(points, c.points, 1e-9) << c.text;
        }
    }
}

TEST(SheetCatalogue, HostileFilesGiveAMessageAndTheRestIsRead) {
    const QByteArray laughs =
        "<!DOCTYPE Glabels-templates [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c "
        "\"&b;&b;&b;&b;&b;&b;&b;&b;\">]>\n";
    const QByteArray external =
        "<!DOCTYPE Glabels-templates [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n";
    struct Case {
        const char* name;
        QByteArray xml;
        const char* message;  // part of the message
        int kept;             // products of the file still read
    } cases[] = {
        {"entities", sheetFile("<Template brand=\"&c;\" part=\"1\"/>" + kGood, laughs), "entity",
         0},
        {"external", sheetFile("<Template brand=\"&x;\" part=\"1\"/>" + kGood, external), "entity",
         0},
        {"huge", sheetFile(kGood + QByteArray(kMaxSheetFileSize, ' ')), "příliš velký", 0},
        {"broken", sheetFile(kGood + "<Template brand=\"A\""), "poškozený", 0},
        {"not sheets", "<?xml version=\"1.0\"?><svg/>", "není soubor archů", 0},
        {"no part", sheetFile("<Template brand=\"A\" size=\"A4\"/>" + kGood), "bez značky", 1},
        {"no width",
         sheetFile("<Template brand=\"A\" part=\"2\" size=\"A4\"><Label-rectangle height=\"1in\">"
                   "<Layout nx=\"1\" ny=\"1\" x0=\"0\" y0=\"0\"/></Label-rectangle></Template>" +
                   kGood),
         "chybí údaj width", 1},
        {"no layout count",
         sheetFile(
             "<Template brand=\"A\" part=\"3\" size=\"A4\"><Label-rectangle width=\"1in\" "
             "height=\"1in\"><Layout ny=\"1\" x0=\"0\" y0=\"0\"/></Label-rectangle></Template>" +
             kGood),
         "neplatný počet", 1},
        {"bad length",
         sheetFile("<Template brand=\"A\" part=\"4\" size=\"A4\"><Label-rectangle width=\"wide\" "
                   "height=\"1in\"/></Template>" +
                   kGood),
         "neplatná délka width=\"wide\"", 1},
        {"unknown paper", sheetFile("<Template brand=\"A\" part=\"5\" size=\"Q9\"/>" + kGood),
         "neznámý formát papíru Q9", 1},
        {"unknown alias", sheetFile("<Template brand=\"A\" part=\"6\" equiv=\"nic\"/>" + kGood),
         "neznámý výrobek nic", 1},
    };
    for (const Case& c : cases) {
        SheetCatalogue catalogue;
        catalogue.addBuiltIns();
        const qsizetype builtIns = catalogue.products().size();
        catalogue.readXml(c.xml, QStringLiteral("/x/%1.xml").arg(QString::fromUtf8(c.name)));
        catalogue.readXml(sheetFile(kGood).replace("OK-1", "OK-2"), QStringLiteral("/x/next.xml"));
        catalogue.resolveEquivalents();
        EXPECT_TRUE(catalogue.messages().join(u'\n').contains(QString::fromUtf8(c.message)))
            << c.name << ": " << catalogue.messages().join(u'\n').toStdString();
        EXPECT_EQ(catalogue.products().size(), builtIns + 1 + c.kept) << c.name;
        EXPECT_TRUE(catalogue.find(QStringLiteral("test"), QStringLiteral("ok-2"))) << c.name;
        for (const SheetProduct& p : catalogue.products())
            EXPECT_FALSE(p.brand.contains(u"aaaa") || p.brand.contains(u"root")) << c.name;
    }
}

TEST(SheetCatalogue, SearchesByWordsAndSizeAndTakesTheUsersFiles) {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    ASSERT_TRUE(QDir().mkpath(SheetCatalogue::userFolder()));
    QFile own(QDir(SheetCatalogue::userFolder()).filePath(QStringLiteral("moje.xml")));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    // The user's L7160 replaces the built-in or packaged one.
    own.write(sheetFile(QByteArray(kGood).replace("Test", "Avery").replace("OK-1", "L7160") +
                        "<Template brand=\"Firma\" part=\"X 1\" size=\"Other\" width=\"100mm\" "
                        "height=\"50mm\"><Label-rectangle width=\"90mm\" height=\"40mm\">"
                        "<Layout nx=\"1\" ny=\"1\" x0=\"5mm\" y0=\"5mm\"/></Label-rectangle>"
                        "</Template>"));
    own.close();
    const SheetCatalogue c = SheetCatalogue::standard();
    qunsetenv("XDG_DATA_HOME");

    const SheetProduct* mine = c.find(QStringLiteral("avery"), QStringLiteral("l7160"));
    ASSERT_TRUE(mine);
    EXPECT_TRUE(mine->source.endsWith(u"moje.xml"));
    EXPECT_EQ(mine->layouts[0].ny, 8);
    const SheetProduct* other = c.find(QStringLiteral("Firma"), QStringLiteral("X 1"));
    ASSERT_TRUE(other);
    EXPECT_NEAR(mm(other->paperWidth), 100, 1e-9);
    EXPECT_EQ(other->geometryText(), QStringLiteral("100 × 50 mm, 1 × 1 štítků 90 × 40 mm"));

    // Words match brand, part and description; a size "W x H" the label in mm.
    auto names = [&](const char* text) {
        QStringList out;
        for (const SheetProduct* p : c.search(QString::fromUtf8(text))) out << p->name();
        return out;
    };
    EXPECT_TRUE(names("avery 7163").contains(QStringLiteral("Avery L7163")));
    EXPECT_TRUE(names("99,1 x 38,1").contains(QStringLiteral("Avery L7163")));
    EXPECT_TRUE(names("avery 99.1×38.1").contains(QStringLiteral("Avery L7163")));
    EXPECT_FALSE(names("herma 99,1 x 38,1").contains(QStringLiteral("Avery L7163")));
    EXPECT_TRUE(names("90x40").contains(QStringLiteral("Firma X 1")));
    for (const QString& n : names("70 x 37")) EXPECT_FALSE(n.contains(u"L7163")) << n.toStdString();
    EXPECT_EQ(c.search({}).size(), c.products().size());
}

TEST(SheetPage, FitsTheGridOfAProductOrSaysWhyNot) {
    SheetCatalogue c;
    c.addBuiltIns();
    ASSERT_TRUE(packageInstalled()) << "glabels-data is not installed (scripts/install-deps installs it)";
    c.readFolder(SheetCatalogue::systemFolder());
    c.resolveEquivalents();
    struct Case {
        const char* brand;
        const char* part;
        double within;  // mm
        bool warned;
    } cases[] = {{"Avery", "L7163", 0.2, false},
                 {"Avery", "5160", 0.2, false},
                 {"Avery", "L7160", 0.2, false},
                 {"Avery", "32015", 0.2, false},
                 // 37 mm rows drift 0.33 hundredths of an inch each: stated.
                 {"Zweckform", "3474", 0.6, true}};
    for (const Case& k : cases) {
        const SheetProduct* p = c.find(QString::fromUtf8(k.brand), QString::fromUtf8(k.part));
        ASSERT_TRUE(p) << k.part;
        SheetPage page;
        QString error;
        ASSERT_TRUE(sheetPageFor(*p, &page, &error)) << error.toStdString();
        EXPECT_EQ(!page.warning.isEmpty(), k.warned) << k.part;
        EXPECT_LE(page.deviationMm, k.within) << k.part;
        const SheetLayout& l = p->layouts[0];
        EXPECT_EQ(page.columns, l.nx);
        EXPECT_EQ(page.rows, l.ny);
        // Rows end where the sheet's grid ends: the printable height is whole rows.
        EXPECT_EQ(page.geometry.printableHeight(), l.ny * page.rowPitch) << k.part;
        EXPECT_EQ((page.geometry.printableWidth() + page.gap) / page.columns,
                  page.labelWidth + page.gap)
            << k.part;
        double worst = 0;
        for (int col = 0; col < l.nx; ++col)
            for (int row = 0; row < l.ny; ++row) {
                const SheetLabelPlace at = sheetPagePlace(page, col, row);
                const double x = mm(l.x0 + col * l.dx), y = mm(l.y0 + row * l.dy);
                worst =
                    std::max({worst, std::abs(unitsToMm(at.x) - x), std::abs(unitsToMm(at.y) - y),
                              std::abs(unitsToMm(at.x + page.labelWidth) - x - mm(p->width)),
                              std::abs(unitsToMm(at.y + page.labelHeight) - y - mm(p->height))});
            }
        EXPECT_LE(worst, page.deviationMm + 0.01) << k.part;
    }

    // What the page cannot express is refused with a reason.
    SheetCatalogue odd;
    odd.readXml(
        sheetFile("<Template brand=\"T\" part=\"two\" size=\"A4\"><Label-rectangle width=\"50mm\" "
                  "height=\"20mm\"><Layout nx=\"2\" ny=\"2\" x0=\"5mm\" y0=\"5mm\" dx=\"55mm\" "
                  "dy=\"25mm\"/><Layout nx=\"2\" ny=\"2\" x0=\"5mm\" y0=\"100mm\" dx=\"60mm\" "
                  "dy=\"30mm\"/></Label-rectangle></Template>"
                  "<Template brand=\"T\" part=\"round\" size=\"A4\"><Label-round radius=\"20mm\">"
                  "<Layout nx=\"2\" ny=\"2\" x0=\"5mm\" y0=\"5mm\" dx=\"45mm\" dy=\"45mm\"/>"
                  "</Label-round></Template>"
                  "<Template brand=\"T\" part=\"overlap\" size=\"A4\"><Label-rectangle "
                  "width=\"50mm\" height=\"20mm\"><Layout nx=\"2\" ny=\"2\" x0=\"5mm\" y0=\"5mm\" "
                  "dx=\"40mm\" dy=\"25mm\"/></Label-rectangle></Template>"
                  "<Template brand=\"T\" part=\"wide\" size=\"A4\"><Label-rectangle width=\"80mm\" "
                  "height=\"20mm\"><Layout nx=\"3\" ny=\"2\" x0=\"5mm\" y0=\"5mm\" dx=\"80mm\" "
                  "dy=\"25mm\"/></Label-rectangle></Template>"),
        QStringLiteral("odd.xml"));
    ASSERT_TRUE(odd.messages().isEmpty()) << odd.messages().join(u'\n').toStdString();
    struct Refusal {
        const char* part;
        const char* message;
    } refusals[] = {{"two", "nestejnými mezerami"},
                    {"round", "kulaté"},
                    {"overlap", "překrývají"},
                    {"wide", "přesahují papír"}};
    for (const Refusal& r : refusals) {
        SheetPage page;
        QString error;
        const SheetProduct* p = odd.find(QStringLiteral("T"), QString::fromUtf8(r.part));
        ASSERT_TRUE(p) << r.part;
        EXPECT_FALSE(sheetPageFor(*p, &page, &error)) << r.part;
        EXPECT_TRUE(error.contains(QString::fromUtf8(r.message))) << error.toStdString();
    }
}

// The sheets built into the catalogue: the ones most sold here, with the
// geometry their makers' data sheets give, so that they can be chosen
// without any label template package installed.
#include "report/model/paper/sheet_catalogue.h"

namespace dorvana {

namespace {

struct BuiltIn {
    const char16_t* brand;
    const char16_t* part;
    const char16_t* description;
    const char16_t* paper;
    double width, height, radius;  // label, mm (US sheets: inches, below)
    int nx, ny;
    double x0, y0, dx, dy;
    bool inches;
};

constexpr BuiltIn kBuiltIns[] = {
    {u"Avery", u"L7160", u"Adresní štítky", u"A4", 63.5, 38.1, 1.5, 3, 7, 7.25, 15.15, 66.04, 38.1,
     false},
    {u"Avery", u"L7161", u"Adresní štítky", u"A4", 63.5, 46.6, 1.5, 3, 6, 7.25, 8.8, 66.04, 46.6,
     false},
    {u"Avery", u"L7163", u"Adresní štítky", u"A4", 99.1, 38.1, 1.5, 2, 7, 4.65, 15.15, 101.6, 38.1,
     false},
    {u"Avery", u"L7165", u"Přepravní štítky", u"A4", 99.1, 67.7, 1.5, 2, 4, 4.65, 13.1, 101.6, 67.7,
     false},
    {u"Avery", u"L7173", u"Přepravní štítky", u"A4", 99.1, 57.0, 1.5, 2, 5, 4.65, 6.0, 101.6, 57.0,
     false},
    {u"Avery", u"L7651", u"Mini štítky", u"A4", 38.1, 21.2, 1.0, 5, 13, 4.75, 10.7, 40.64, 21.2,
     false},
    {u"Herma", u"4464", u"Univerzální etikety", u"A4", 70.0, 37.125, 0, 3, 8, 0, 0, 70.0, 37.125,
     false},
    {u"Avery", u"5160", u"Address Labels", u"US-Letter", 2.625, 1.0, 0.0625, 3, 10, 0.1875, 0.5,
     2.75, 1.0, true},
};

}  // namespace

void SheetCatalogue::addBuiltIns() {
    for (const BuiltIn& b : kBuiltIns) {
        const double f = b.inches ? 72.0 : kPointsPerMm;
        SheetProduct p;
        p.brand = QString::fromUtf16(b.brand);
        p.part = QString::fromUtf16(b.part);
        p.description = QString::fromUtf16(b.description);
        p.paperName = QString::fromUtf16(b.paper);
        paperSize(p.paperName, &p.paperWidth, &p.paperHeight);
        p.width = b.width * f;
        p.height = b.height * f;
        p.radius = b.radius * f;
        p.layouts.append({b.nx, b.ny, b.x0 * f, b.y0 * f, b.dx * f, b.dy * f});
        add(std::move(p));
    }
}

}  // namespace dorvana

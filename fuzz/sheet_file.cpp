// Fuzz target: arbitrary bytes as a label sheet product file (the XML of the
// glabels-data package or of the user's own sheets folder), read into a
// catalogue, aliases resolved, every product put onto a template page and
// searched for. Nothing crashes or hangs; a product the page can express
// gives a page whose margins, columns and rows fit its paper.
#include <QByteArray>
#include <QString>
#include <cstdint>

#include "quiet_log.h"
#include "report/model/paper/sheet_catalogue.h"
#include "report/model/paper/sheet_page.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace dorvana;
    SheetCatalogue catalogue;
    catalogue.readXml(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)),
                      QStringLiteral("fuzz-templates.xml"));
    catalogue.resolveEquivalents();
    for (const SheetProduct& p : catalogue.products()) {
        (void)p.geometryText();
        (void)p.labelCount();
        SheetPage page;
        QString error;
        if (!sheetPageFor(p, &page, &error)) {
            if (error.isEmpty()) __builtin_trap();  // a refusal always says why
            continue;
        }
        const PageGeometry& g = page.geometry;
        if (g.leftMargin < 0 || g.rightMargin < 0 || g.topMargin < 0 || g.bottomMargin < 0)
            __builtin_trap();
        if (page.columns < 1 || page.rowPitch < 1 || page.labelWidth < 1 || page.gap < 0)
            __builtin_trap();
        if (g.leftMargin + page.columns * (page.labelWidth + page.gap) - page.gap + g.rightMargin !=
            g.paperWidth)
            __builtin_trap();
        if (page.deviationMm > kSheetRefusedMm) __builtin_trap();
        const SheetLabelPlace last = sheetPagePlace(page, page.columns - 1, page.rows - 1);
        if (last.y + page.labelHeight > g.paperHeight) __builtin_trap();
    }
    (void)catalogue.search(QStringLiteral("70 x 37"));
    (void)catalogue.search(QStringLiteral("avery l7163"));
    return 0;
}

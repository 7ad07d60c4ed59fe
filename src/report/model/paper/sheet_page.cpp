#include "report/model/paper/sheet_page.h"

#include <algorithm>
#include <cmath>

#include "base/rounding.h"
#include "base/units.h"

namespace dorvana {

namespace {

constexpr double kUnitsPerPoint = 100.0 / 72.0;

struct AxisFit {
    int start = 0, pitch = 0, size = 0;
    double deviation = 1e9;  // units
};

// The best whole-unit start, pitch and label size for n labels of a
// size (units) set at start + i * pitch (units), with start + n * pitch -
// (pitch - size) not past the end (with wholePitches, the last pitch too).
AxisFit fitAxis(int n, double start, double pitch, double size, int end, bool wholePitches) {
    AxisFit best;
    if (n == 1) pitch = size;
    const int s0 = int(std::floor(start)), p0 = int(std::floor(pitch)), z0 = int(std::floor(size));
    for (int s = std::max(0, s0 - 2); s <= s0 + 3; ++s)
        for (int p = std::max(1, p0); p <= p0 + 1; ++p)
            for (int z = std::max(1, z0); z <= std::min(p, z0 + 1); ++z) {
                if (s + (n - 1) * p + (wholePitches && n > 1 ? p : z) > end) continue;
                double worst = 0;
                for (int i = 0; i < n; ++i) {
                    const double from = s + i * p - (start + i * pitch);
                    const double to = s + i * p + z - (start + i * pitch + size);
                    worst = std::max({worst, std::abs(from), std::abs(to)});
                }
                if (worst < best.deviation - 1e-9) best = {s, p, z, worst};
            }
    return best;
}

QString mm(double units) {
    return QString::number(units / kUnitsPerMm, 'f', 2).replace(u'.', u',');
}

}  // namespace

bool sheetPageFor(const SheetProduct& product, SheetPage* page, QString* error) {
    auto refuse = [&](const QString& text) {
        if (error) *error = text;
        return false;
    };
    const QString name = product.name();
    if (!product.placeable())
        return refuse(
            QStringLiteral("Arch %1 má kulaté štítky; šablona umí jen obdélníkové.").arg(name));
    if (product.layouts.size() != 1)
        return refuse(QStringLiteral("Arch %1 má štítky v několika skupinách s nestejnými "
                                     "mezerami; šablona umí jen pravidelnou mřížku.")
                          .arg(name));
    const SheetLayout& l = product.layouts[0];
    if ((l.nx > 1 && l.dx + 0.01 < product.width) || (l.ny > 1 && l.dy + 0.01 < product.height))
        return refuse(QStringLiteral("Štítky archu %1 se překrývají.").arg(name));
    const double right = l.x0 + (l.nx - 1) * (l.nx > 1 ? l.dx : 0) + product.width;
    const double bottom = l.y0 + (l.ny - 1) * (l.ny > 1 ? l.dy : 0) + product.height;
    if (right > product.paperWidth + 1 || bottom > product.paperHeight + 1)
        return refuse(QStringLiteral("Štítky archu %1 přesahují papír.").arg(name));

    SheetPage result;
    result.geometry.paperWidth = roundHalfEven(product.paperWidth * kUnitsPerPoint);
    result.geometry.paperHeight = roundHalfEven(product.paperHeight * kUnitsPerPoint);
    result.geometry.orientation = 0;
    // Along the rows the row pitch is the body height: a label is as high
    // as its row less the gap, and the last row ends the printable area.
    const AxisFit x = fitAxis(l.nx, l.x0 * kUnitsPerPoint, l.dx * kUnitsPerPoint,
                              product.width * kUnitsPerPoint, result.geometry.paperWidth, false);
    const AxisFit y = fitAxis(l.ny, l.y0 * kUnitsPerPoint, l.dy * kUnitsPerPoint,
                              product.height * kUnitsPerPoint, result.geometry.paperHeight, true);
    if (x.deviation > 1e8 || y.deviation > 1e8)
        return refuse(QStringLiteral("Štítky archu %1 přesahují papír.").arg(name));
    result.columns = l.nx;
    result.labelWidth = x.size;
    result.gap = l.nx > 1 ? x.pitch - x.size : 0;
    result.rows = l.ny;
    result.labelHeight = y.size;
    // One row is a whole pitch, the last one too: the printable area ends a
    // pitch below the last row's top, or at the paper's edge when that
    // comes first (the last row is then as high as what is left).
    int rowPitch = l.ny > 1 ? y.pitch : y.size;
    result.rowPitch = rowPitch;
    result.geometry.leftMargin = x.start;
    result.geometry.topMargin = y.start;
    const int printableWidth = l.nx * x.pitch - result.gap;
    result.geometry.rightMargin = result.geometry.paperWidth - x.start - printableWidth;
    const int printableHeight = std::min(l.ny * rowPitch, result.geometry.paperHeight - y.start);
    if (printableHeight < (l.ny - 1) * rowPitch + y.size)
        return refuse(QStringLiteral("Štítky archu %1 přesahují papír.").arg(name));
    if (printableHeight < l.ny * rowPitch) {
        // The last row's pitch does not fit: shorten the body to what is
        // left, keeping every row the same height.
        return refuse(QStringLiteral("Poslední řada archu %1 končí na okraji papíru; šablona "
                                     "ji nevyjádří.")
                          .arg(name));
    }
    result.geometry.bottomMargin = result.geometry.paperHeight - y.start - printableHeight;
    result.deviationMm = std::max(x.deviation, y.deviation) / kUnitsPerMm;
    if (result.deviationMm > kSheetRefusedMm)
        return refuse(QStringLiteral("Arch %1 nelze vyjádřit v setinách palce: štítky by "
                                     "byly až %2 mm mimo.")
                          .arg(name, mm(std::max(x.deviation, y.deviation))));
    if (result.deviationMm > kSheetToleranceMm)
        result.warning = QStringLiteral(
                             "Šablona počítá v setinách palce; štítky archu %1 "
                             "budou až %2 mm mimo své místo.")
                             .arg(name, mm(std::max(x.deviation, y.deviation)));
    *page = result;
    return true;
}

SheetLabelPlace sheetPagePlace(const SheetPage& page, int column, int row) {
    return {page.geometry.leftMargin + column * (page.labelWidth + page.gap),
            page.geometry.topMargin + row * page.rowPitch};
}

}  // namespace dorvana

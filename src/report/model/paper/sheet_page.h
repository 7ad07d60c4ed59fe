#pragma once
// The template page that prints onto a label sheet product: the paper, its
// margins, the columns and their gap, the body section's height (the row
// pitch) and the label's size, in template units (0.01 in). Template lengths
// are whole hundredths of an inch, so a sheet measured in millimetres is met
// only approximately: the page is chosen so that the labels' edges lie as
// close as they can to where the product puts them, and says how close.

#include <QString>

#include "report/model/paper/page_geometry.h"
#include "report/model/paper/sheet_catalogue.h"

namespace dorvana {

// Labels farther than this from their place make a warning, farther than
// kSheetRefusedMm a refusal.
inline constexpr double kSheetToleranceMm = 0.2;
inline constexpr double kSheetRefusedMm = 1.0;

struct SheetPage {
    PageGeometry geometry;  // portrait; the printable area is exactly the label grid
    int columns = 1;
    int gap = 0;         // between columns
    int rowPitch = 0;    // the body section's height
    int rows = 0;        // rows on a page: printable height / row pitch
    int labelWidth = 0;  // column width - gap
    int labelHeight = 0;
    double deviationMm = 0;  // the farthest a label's edge lies from its place
    QString warning;         // set when deviationMm exceeds kSheetToleranceMm
};

// False with a Czech message when the template page cannot express the
// product: a shape other than a rectangle, several grids (unequal gaps),
// overlapping labels, labels off the sheet, or a deviation over
// kSheetRefusedMm.
bool sheetPageFor(const SheetProduct& product, SheetPage* page, QString* error);

// Where the page puts the top left corner of label (column, row), in
// template units, and where the product puts it, in points.
struct SheetLabelPlace {
    int x, y;
};
SheetLabelPlace sheetPagePlace(const SheetPage& page, int column, int row);

}  // namespace dorvana

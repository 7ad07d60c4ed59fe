#include "report/render/draw_styles.h"

#include <algorithm>

#include "base/rounding.h"

namespace dorvana {

Qt::PenStyle linePenStyle(int style) {
    switch (style) {
        case 1: return Qt::DashLine;
        case 2: return Qt::DotLine;
        case 3: return Qt::DashDotLine;
        default: return Qt::SolidLine;
    }
}

Qt::BrushStyle fillBrushStyle(int style) {
    switch (style) {
        case 1: return Qt::NoBrush;
        case 2: return Qt::HorPattern;
        case 3: return Qt::VerPattern;
        case 4: return Qt::FDiagPattern;
        case 5: return Qt::BDiagPattern;
        case 6: return Qt::CrossPattern;
        case 7: return Qt::DiagCrossPattern;
        default: return Qt::SolidPattern;
    }
}

int roundedCornerSize(double sy, int insetHeight) {
    return std::max(0, std::min(roundHalfEven(40 * sy), insetHeight / 2));
}

}  // namespace dorvana

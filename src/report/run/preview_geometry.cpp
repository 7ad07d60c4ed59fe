#include "report/run/preview_geometry.h"

#include <algorithm>

#include "base/rounding.h"

namespace dorvana {

QSize previewPageSize(const PagePaper& paper, double zoom) {
    return {roundHalfEven(paper.width * zoom), roundHalfEven(paper.height * zoom)};
}

QPoint centredOrigin(QSize page, QSize viewport) {
    const int x = page.width() < viewport.width() ? (viewport.width() - page.width()) / 2 : 0;
    const int y = page.height() < viewport.height() ? (viewport.height() - page.height()) / 2 : 0;
    return {x, y};
}

int scrollAfterZoom(int oldPosition, int viewExtent, int oldSize, int newSize) {
    if (oldSize <= 0) return 0;
    const double half = viewExtent / 2.0;
    const double position = (oldPosition + half) * newSize / oldSize - half;
    return std::max(0, roundHalfEven(position));
}

QPoint pointerToPage(QPoint pixel, double zoom, const PagePaper& paper) {
    return {roundHalfEven(pixel.x() / zoom - paper.leftMargin),
            roundHalfEven(pixel.y() / zoom - paper.topMargin)};
}

bool insidePrintableArea(QPoint pixel, double zoom, const PagePaper& paper) {
    const double x = pixel.x() / zoom, y = pixel.y() / zoom;
    return x >= paper.leftMargin && x <= paper.width - paper.rightMargin &&
           y >= paper.topMargin && y <= paper.height - paper.bottomMargin;
}

}  // namespace dorvana

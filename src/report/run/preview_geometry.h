#pragma once
// Where the preview's page sits in its scroll box and how the view follows a
// change of zoom: the pure arithmetic of the preview, without a window.

#include <QPoint>
#include <QSize>

#include "report/layout/pages/page_store.h"

namespace dorvana {

// The page's size on the screen at a zoom: paper width and height times the
// zoom, each rounded (halves to even).
QSize previewPageSize(const PagePaper& paper, double zoom);

// The page's place in a viewport of the given size: centred in each axis in
// which it is smaller than the viewport, else at 0.
QPoint centredOrigin(QSize page, QSize viewport);

// The scroll position that keeps the point in the middle of the view in the
// middle after the page grew or shrank from oldSize to newSize (one axis):
// (old position + half the view) x new size / old size - half the view,
// never below 0. With an old size of 0 the position becomes 0.
int scrollAfterZoom(int oldPosition, int viewExtent, int oldSize, int newSize);

// A pointer position on the page widget (pixels) in 0.01 in relative to the
// printable area: pointer / zoom - margin, rounded.
QPoint pointerToPage(QPoint pixel, double zoom, const PagePaper& paper);

// Whether a pointer position lies within the margins of the page
// (pointer / zoom between the left and right, top and bottom margins).
bool insidePrintableArea(QPoint pixel, double zoom, const PagePaper& paper);

}  // namespace dorvana

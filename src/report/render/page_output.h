#pragma once
// Printed pages into files: one vector PDF, or one PNG per page. The pages
// come out as the printer would print them on a sheet of the pages' paper
// with no unprintable border: the margins are the offsets.

#include <QString>
#include <QStringList>

#include "base/progress.h"
#include "report/layout/pages/page_store.h"
#include "report/render/draw_context.h"

namespace dorvana {

// Writes every page of the store as one page of a PDF at path: the pages'
// paper size and orientation, text as text. The file is written through a
// temporary file and renamed at the end, so an earlier file of that name
// stays whole on failure or cancel. False with a Czech message when there
// are no pages, the file cannot be written or the progress was cancelled.
// resolution: device pixels per inch of the drawing (positions are rounded
// to them).
bool writePdf(const PageStore& pages, const QString& path, QString* error = nullptr,
              Progress* progress = nullptr, int resolution = kFineResolution);

// Writes page n (from 1) of the store to <base>-<n>.png, <base> being
// outPath without a ".png" ending: the whole sheet at dpi pixels per inch
// on white. The pages are written under temporary names and renamed into
// place only when all are written; numbered files of an earlier run beyond
// the new page count are removed. written gets the paths in page order.
// False with a Czech message when there are no pages, the paper has no size,
// dpi is outside 1..2400, a page is too large for an image, or a file
// cannot be written (a failure while drawing or writing changes no page file).
bool writePngs(const PageStore& pages, const QString& outPath, int dpi, QString* error = nullptr,
               QStringList* written = nullptr, Progress* progress = nullptr);

// The file of page n (from 1) that writePngs writes for outPath.
QString pngPagePath(const QString& outPath, int page);

}  // namespace dorvana

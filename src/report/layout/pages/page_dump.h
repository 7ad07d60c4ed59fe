#pragma once
// The page dump: the printed pages of a build as JSON, for scripts and tests
// (dorvana-cli render --out X.json). Keys stand in a fixed order:
//   {"pageCount", "cancelled", "paper": {"width", "height", "orientation", "left",
//    "right", "top", "bottom"}, "pages": [{"elements": [...]}]}
// and each element
//   {"kind", "x", "y", "w", "h", "text", "memo", "lines",
//    "font": {"name", "size", "colour", "style", "charset"}, "align",
//    "frame": [l, t, r, b], "screenFont", "barcode", "rotation", "hasPicture",
//    "lineColour", "lineStyle", "lineWidth", "fillColour", "fillStyle",
//    "diagonals": [lsph, lhps]}
// Coordinates are hundredths of an inch relative to the printable area;
// colours are indexes 0..15 of the colour table, as template and corrections
// files write them. Elements stand in page order (the numbers corrections use).

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include "report/layout/pages/page_store.h"

namespace dorvana {

// UTF-8 JSON, one element per line, ending with a line break, written to the
// device piece by piece; false when the device failed.
bool writePageDump(const PageStore& pages, bool cancelled, QIODevice& device);
// The same as bytes in memory.
QByteArray writePageDump(const PageStore& pages, bool cancelled = false);
// Into a file, through a temporary file (an earlier file stays whole on
// failure). False with a Czech message.
bool writePageDumpFile(const PageStore& pages, const QString& path, bool cancelled,
                       QString* error = nullptr);

}  // namespace dorvana

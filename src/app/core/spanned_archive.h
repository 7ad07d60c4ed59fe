#pragma once
// Archives spanned over several disks (as PKZIP writes them on floppies): the
// segments of disks 1 ... n joined into one ordinary ZIP archive, with the
// offsets of the central directory made absolute.

#include <QByteArray>
#include <QList>
#include <QString>

namespace dorvana {

// The number of disks an archive's last segment says the archive spans
// (1 for an ordinary archive); 0 when the bytes hold no end of a ZIP archive.
int archiveDiskCount(const QByteArray& lastSegment);

// Joins the segments of disks 1 ... n; false with a Czech message when they
// do not make one archive.
bool joinSpannedArchive(const QList<QByteArray>& segments, QByteArray* archive, QString* error);

}  // namespace dorvana

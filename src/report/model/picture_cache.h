#pragma once
// Pictures of BLOB fields as the report prints them. A picture is decoded
// once per distinct BLOB and size and shared by every element and page that
// shows it (fifty labels with one logo hold one picture, not fifty), and a
// picture stretched into its box is decoded at the size it prints there (at
// most kPicturePrintDpi), not at the size it was scanned at. The decoded
// pictures kept are bounded; the oldest go first.
//
// A BLOB that cannot be drawn (not a picture, damaged, or too large to
// decode) gives the reason, and missingPicture() stands in its place, so
// that a page never silently lacks it.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace dorvana {

// The finest resolution a stretched picture is decoded at (dots per inch).
inline constexpr int kPicturePrintDpi = 600;

struct DecodedPicture {
    QImage image;     // null when the data is empty or cannot be drawn
    QString failure;  // why it cannot be drawn (Czech); empty otherwise
};

// box: the element's size in 0.01 in; stretch: the picture fills the box
// (else one picture pixel is 0.01 in and it is decoded whole).
DecodedPicture decodeBlobPicture(const QByteArray& data, QSize box, bool stretch);

// The stand-in for a picture that cannot be drawn: a framed box with a cross.
QImage missingPicture();

// The decoded pictures kept (bytes); by default 256 MB. Setting it drops
// what no longer fits. clearPictureCache() forgets them all.
void setPictureCacheLimit(qint64 bytes);
void clearPictureCache();
qint64 pictureCacheBytes();

}  // namespace dorvana

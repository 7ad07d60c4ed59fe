#pragma once
// The picture of a record as the image window edits it: loading from files
// and blobs, the operations of the tool bar (rotations, mirrors, cropping,
// zoom and fit styles), saving, and the picture stored back into a blob as
// PNG. Widgets only show it.

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace dorvana {

enum class FitStyle { Best, Width, Height, Window, Original };

// Pictures larger than this are refused (a 20,000 x 20,000 photo would need
// 1.6 GB in memory).
inline constexpr qint64 kMaxPicturePixels = 100'000'000;

class PictureDocument {
public:
    const QImage& image() const { return image_; }
    bool isEmpty() const { return image_.isNull(); }
    bool isModified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }

    // Loading replaces the picture; false with a Czech message when the file
    // or blob holds no picture Qt reads or one above the size limit (the
    // picture stays as it was).
    bool loadFile(const QString& path, QString* error = nullptr);
    // A blob: empty shows no picture.
    bool loadBlob(const QByteArray& bytes, QString* error = nullptr);
    // The picture as a blob stores it: PNG (lossless and compact); empty
    // when there is no picture.
    QByteArray toBlob() const;
    // Writes the picture; the format follows the extension (PNG, JPEG, BMP,
    // TIFF, ...). Through a temporary file; false with a Czech message.
    bool saveFile(const QString& path, QString* error = nullptr) const;
    // A picture from the clipboard or a scanner.
    void setImage(const QImage& image);

    void rotateRight();
    void rotateLeft();
    void rotate180();
    void mirrorHorizontally();
    void mirrorVertically();
    // Keeps the part inside the rectangle (in picture pixels); false when it
    // holds no pixel of the picture.
    bool crop(const QRect& area);

    // Shown size: the fit style with the viewport, or the zoom factor.
    FitStyle fitStyle() const { return fit_; }
    void setFitStyle(FitStyle style) { fit_ = style; }
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    // By the zoom step in percent (10: 1.0 -> 1.1); switches to the zoom factor.
    void zoomIn(int stepPercent = 10);
    void zoomOut(int stepPercent = 10);
    // "Obnovení rozměrů": the picture's own size.
    void restoreSize();
    QSize displaySize(const QSize& viewport) const;

    // "Informace o obrázku": size, depth and bytes.
    QString information() const;

private:
    bool accept(const QImage& image, QString* error);
    QImage image_;
    bool modified_ = false;
    FitStyle fit_ = FitStyle::Best;
    double zoom_ = 1.0;
};

}  // namespace dorvana

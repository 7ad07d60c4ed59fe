#include "app/core/picture_document.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QTransform>
#include <cmath>

#include "base/safe_file.h"

namespace dorvana {

namespace {

constexpr double kMinZoom = 0.05, kMaxZoom = 20.0;

bool tooLarge(const QSize& size) {
    return qint64(size.width()) * size.height() > kMaxPicturePixels;
}

QString tooLargeMessage(const QSize& size) {
    return QStringLiteral("Obrázek %1 × %2 bodů je příliš velký (nejvýše %3 milionů bodů).")
        .arg(size.width())
        .arg(size.height())
        .arg(kMaxPicturePixels / 1'000'000);
}

// Reads a picture, refusing a too large one before it is decoded.
bool readPicture(QImageReader& reader, QImage* image, QString* error, const QString& what) {
    if (reader.size().isValid() && tooLarge(reader.size())) {
        if (error) *error = tooLargeMessage(reader.size());
        return false;
    }
    if (!reader.read(image)) {
        if (error)
            *error = QStringLiteral("%1 neobsahuje obrázek, který lze načíst (%2).")
                         .arg(what, reader.errorString());
        return false;
    }
    return true;
}

}  // namespace

bool PictureDocument::accept(const QImage& image, QString* error) {
    if (tooLarge(image.size())) {
        if (error) *error = tooLargeMessage(image.size());
        return false;
    }
    image_ = image;
    return true;
}

bool PictureDocument::loadFile(const QString& path, QString* error) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image;
    if (!readPicture(reader, &image, error, QStringLiteral("Soubor %1").arg(QFileInfo(path).fileName())))
        return false;
    if (!accept(image, error)) return false;
    modified_ = true;
    return true;
}

bool PictureDocument::loadBlob(const QByteArray& bytes, QString* error) {
    if (bytes.isEmpty()) {
        image_ = QImage();
        modified_ = false;
        return true;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage image;
    if (!readPicture(reader, &image, error, QStringLiteral("Pole"))) return false;
    if (!accept(image, error)) return false;
    modified_ = false;
    return true;
}

QByteArray PictureDocument::toBlob() const {
    if (image_.isNull()) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image_.save(&buffer, "PNG");
    return bytes;
}

bool PictureDocument::saveFile(const QString& path, QString* error) const {
    if (image_.isNull()) {
        if (error) *error = QStringLiteral("Není žádný obrázek k uložení.");
        return false;
    }
    SafeFile file(path);
    if (!file.open(error)) return false;
    QImageWriter writer(file.device(), QFileInfo(path).suffix().toLatin1().toLower());
    if (!writer.canWrite() || !writer.write(image_)) {
        // A device that refused the bytes is the reason; else the format is.
        QString reason;
        if (file.finish(&reason)) {
            file.discard();
            reason = QStringLiteral("Obrázek nelze uložit do souboru %1: %2").arg(path, writer.errorString());
        }
        if (error) *error = reason;
        return false;
    }
    return file.commit(error);
}

void PictureDocument::setImage(const QImage& image) {
    if (image.isNull() || !accept(image, nullptr)) return;
    modified_ = true;
}

void PictureDocument::rotateRight() {
    if (image_.isNull()) return;
    image_ = image_.transformed(QTransform().rotate(90));
    modified_ = true;
}

void PictureDocument::rotateLeft() {
    if (image_.isNull()) return;
    image_ = image_.transformed(QTransform().rotate(-90));
    modified_ = true;
}

void PictureDocument::rotate180() {
    if (image_.isNull()) return;
    image_ = image_.transformed(QTransform().rotate(180));
    modified_ = true;
}

void PictureDocument::mirrorHorizontally() {
    if (image_.isNull()) return;
    image_ = image_.mirrored(true, false);
    modified_ = true;
}

void PictureDocument::mirrorVertically() {
    if (image_.isNull()) return;
    image_ = image_.mirrored(false, true);
    modified_ = true;
}

bool PictureDocument::crop(const QRect& area) {
    const QRect inside = area.normalized() & image_.rect();
    if (image_.isNull() || inside.isEmpty()) return false;
    image_ = image_.copy(inside);
    modified_ = true;
    return true;
}

void PictureDocument::setZoom(double zoom) {
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
}

void PictureDocument::zoomIn(int stepPercent) {
    fit_ = FitStyle::Original;
    setZoom(zoom_ * (1.0 + stepPercent / 100.0));
}

void PictureDocument::zoomOut(int stepPercent) {
    fit_ = FitStyle::Original;
    setZoom(zoom_ / (1.0 + stepPercent / 100.0));
}

void PictureDocument::restoreSize() {
    fit_ = FitStyle::Original;
    zoom_ = 1.0;
}

QSize PictureDocument::displaySize(const QSize& viewport) const {
    if (image_.isNull()) return {};
    const QSize own = image_.size();
    switch (fit_) {
        case FitStyle::Best:
            return own.scaled(viewport, Qt::KeepAspectRatio);
        case FitStyle::Width:
            return QSize(viewport.width(),
                         int(std::lround(double(own.height()) * viewport.width() / own.width())));
        case FitStyle::Height:
            return QSize(int(std::lround(double(own.width()) * viewport.height() / own.height())),
                         viewport.height());
        case FitStyle::Window:
            return viewport;
        case FitStyle::Original:
            break;
    }
    return QSize(int(std::lround(own.width() * zoom_)), int(std::lround(own.height() * zoom_)));
}

QString PictureDocument::information() const {
    if (image_.isNull()) return QStringLiteral("Žádný obrázek");
    return QStringLiteral("%1 × %2 bodů, %3 bitů na bod, %4 kB v záznamu (PNG)")
        .arg(image_.width())
        .arg(image_.height())
        .arg(image_.depth())
        .arg((toBlob().size() + 1023) / 1024);
}

}  // namespace dorvana

// The image window's picture: operations give the expected pixels, blobs
// hold PNG, bad and huge pictures are refused without a change.
#include <gtest/gtest.h>

#include <QImage>
#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>

#include "app/core/picture_document.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

// The CRC-32 of PNG chunks.
quint32 crc32(const QByteArray& bytes) {
    quint32 c = 0xFFFFFFFFu;
    for (const char b : bytes) {
        c ^= quint8(b);
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

// 4 x 2: the top-left pixel red, the rest white.
QImage sample() {
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    return image;
}

TEST(PictureDocument, LoadRotateCropSaveGivesTheExpectedPixels) {
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("vstup.png"));
    ASSERT_TRUE(sample().save(in));
    PictureDocument doc;
    QString error;
    ASSERT_TRUE(doc.loadFile(in, &error)) << error.toStdString();
    doc.rotateRight();  // red moves to the top-right corner of a 2 x 4 picture
    EXPECT_EQ(doc.image().size(), QSize(2, 4));
    EXPECT_EQ(doc.image().pixel(1, 0), qRgb(255, 0, 0));
    doc.mirrorHorizontally();
    EXPECT_EQ(doc.image().pixel(0, 0), qRgb(255, 0, 0));
    ASSERT_TRUE(doc.crop(QRect(0, 0, 1, 2)));
    EXPECT_FALSE(doc.crop(QRect(50, 50, 3, 3)));
    const QString out = dir.filePath(QStringLiteral("vystup.bmp"));
    ASSERT_TRUE(doc.saveFile(out, &error)) << error.toStdString();
    const QImage saved(out);
    ASSERT_EQ(saved.size(), QSize(1, 2));
    EXPECT_EQ(saved.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(saved.pixel(0, 1), qRgb(255, 255, 255));

    // The blob is PNG and reads back to the same pixels, not modified.
    const QByteArray blob = doc.toBlob();
    EXPECT_TRUE(blob.startsWith("\x89PNG"));
    PictureDocument again;
    ASSERT_TRUE(again.loadBlob(blob, &error));
    EXPECT_FALSE(again.isModified());
    EXPECT_EQ(again.image().convertToFormat(QImage::Format_RGB32), doc.image().convertToFormat(QImage::Format_RGB32));
    again.rotate180();
    again.rotate180();
    EXPECT_TRUE(again.isModified());
}

TEST(PictureDocument, BadAndHugePicturesChangeNothing) {
    QTemporaryDir dir;
    PictureDocument doc;
    ASSERT_TRUE(doc.loadBlob(QByteArray()));
    EXPECT_TRUE(doc.isEmpty());
    ASSERT_TRUE(doc.loadBlob([] {
        QByteArray b;
        QBuffer buf(&b);
        buf.open(QIODevice::WriteOnly);
        sample().save(&buf, "PNG");
        return b;
    }()));
    QString error;
    const QString text = dir.filePath(QStringLiteral("text.png"));
    ASSERT_TRUE(test::writeBytes(text, "toto neni obrazek"));
    EXPECT_FALSE(doc.loadFile(text, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(doc.image().size(), QSize(4, 2));
    EXPECT_FALSE(doc.loadFile(dir.filePath(QStringLiteral("chybi.jpg")), &error));

    // A PNG whose header claims 20,000 x 20,000 pixels is refused before decoding.
    QImage small(1, 1, QImage::Format_RGB32);
    small.fill(Qt::black);
    QByteArray png;
    {
        QBuffer buf(&png);
        buf.open(QIODevice::WriteOnly);
        small.save(&buf, "PNG");
    }
    qToBigEndian<quint32>(20000, png.data() + 16);  // IHDR width
    qToBigEndian<quint32>(20000, png.data() + 20);  // IHDR height
    qToBigEndian<quint32>(crc32(png.mid(12, 17)), png.data() + 29);
    const QString huge = dir.filePath(QStringLiteral("obri.png"));
    ASSERT_TRUE(test::writeBytes(huge, png));
    EXPECT_FALSE(doc.loadFile(huge, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("příliš velký"))) << error.toStdString();
    EXPECT_EQ(doc.image().size(), QSize(4, 2));
}

TEST(PictureDocument, ZoomAndFitStyles) {
    PictureDocument doc;
    doc.setImage(QImage(200, 100, QImage::Format_RGB32));
    const QSize viewport(100, 100);
    const struct {
        FitStyle fit;
        QSize size;
    } cases[] = {{FitStyle::Best, {100, 50}},
                 {FitStyle::Width, {100, 50}},
                 {FitStyle::Height, {200, 100}},
                 {FitStyle::Window, {100, 100}},
                 {FitStyle::Original, {200, 100}}};
    for (const auto& c : cases) {
        doc.setFitStyle(c.fit);
        EXPECT_EQ(doc.displaySize(viewport), c.size) << int(c.fit);
    }
    doc.zoomIn();
    EXPECT_EQ(doc.displaySize(viewport), QSize(220, 110));
    doc.zoomOut();
    doc.zoomOut();
    EXPECT_EQ(doc.displaySize(viewport), QSize(182, 91));
    doc.restoreSize();
    EXPECT_EQ(doc.displaySize(viewport), QSize(200, 100));
    EXPECT_TRUE(doc.information().startsWith(QStringLiteral("200 × 100 bodů")));
}

}  // namespace

#include "app/core/picture_binding.h"
#include "data/data_set.h"
#include "data/label_file.h"

namespace {

TEST(PictureBinding, ChangedPictureIsKeptOnlyWhenWanted) {
    QTemporaryDir dir;
    QString error;
    const QString path = dir.filePath(QStringLiteral("etikety.db"));
    ASSERT_TRUE(createLabelFile(path, &error));
    auto labels = openLabelDataSet(path, &error);
    ASSERT_TRUE(labels->append(&error));
    labels->findField(QStringLiteral("cislo"))->setValue(TaggedValue(qint32(1)));
    ASSERT_TRUE(labels->post(&error));

    for (const bool keep : {false, true}) {
        PictureDocument picture;
        ASSERT_TRUE(openPictureField(*labels, QStringLiteral("logo"), picture, &error)) << error.toStdString();
        EXPECT_EQ(labels->state(), DataSet::State::Edit);
        picture.setImage(sample());
        ASSERT_TRUE(closePictureField(*labels, QStringLiteral("logo"), picture, keep, &error));
        EXPECT_EQ(labels->state(), DataSet::State::Browse);
        EXPECT_EQ(labels->findField(QStringLiteral("logo"))->blob().isEmpty(), !keep) << keep;
    }
    // No change: nothing asked, nothing written.
    PictureDocument unchanged;
    ASSERT_TRUE(openPictureField(*labels, QStringLiteral("logo"), unchanged, &error));
    EXPECT_FALSE(unchanged.isModified());
    EXPECT_EQ(unchanged.image().size(), QSize(4, 2));
    ASSERT_TRUE(closePictureField(*labels, QStringLiteral("logo"), unchanged, true, &error));
    EXPECT_FALSE(openPictureField(*labels, QStringLiteral("nazev1"), unchanged, &error));
}

}  // namespace

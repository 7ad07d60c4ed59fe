// Scanning through SANE against its own "test" backend (a private SANE
// configuration that lists only it), and the scan stored as a record's logo.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/core/picture_binding.h"
#include "app/core/picture_document.h"
#include "app/core/scanner.h"
#include "data/data_set.h"
#include "data/label_file.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

class ScannerTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::writeBytes(config.filePath(QStringLiteral("dll.conf")), "test\n"));
        // 80 x 100 mm of the colour pattern at 50 dpi, gray.
        ASSERT_TRUE(test::writeBytes(config.filePath(QStringLiteral("test.conf")),
                                     "number_of_devices 1\nmode Gray\ndepth 8\nresolution 50.0\n"
                                     "test-picture \"Color pattern\"\ngeometry_min 0.0\n"
                                     "geometry_max 200.0\ngeometry_quant 1.0\ntl_x 0.0\ntl_y 0.0\n"
                                     "br_x 80.0\nbr_y 100.0\n"));
        previous = qgetenv("SANE_CONFIG_DIR");
        qputenv("SANE_CONFIG_DIR", config.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("SANE_CONFIG_DIR", previous); }
    QTemporaryDir config;
    QByteArray previous;
};

TEST_F(ScannerTest, TheTestDeviceScansIntoARecordsLogo) {
    QString error;
    const QStringList devices = SaneScanner::devices(&error);
    if (devices.isEmpty()) GTEST_SKIP() << "SANE's test backend is not installed: " << error.toStdString();
    EXPECT_TRUE(devices.first().startsWith(QStringLiteral("test:"))) << devices.join(',').toStdString();

    SaneScanner scanner;
    QImage image;
    ASSERT_TRUE(scanner.scan(&image, &error)) << error.toStdString();
    EXPECT_EQ(image.size(), QSize(157, 196)) << "80 x 100 mm at 50 dpi";
    EXPECT_NE(image.pixel(0, 0), image.pixel(image.width() / 2, image.height() / 2)) << "a pattern";

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("etikety.db"));
    ASSERT_TRUE(createLabelFile(path, &error));
    auto labels = openLabelDataSet(path, &error);
    ASSERT_TRUE(labels->append(&error));
    labels->findField(QStringLiteral("cislo"))->setValue(TaggedValue(qint32(1)));
    ASSERT_TRUE(labels->post(&error));
    PictureDocument picture;
    ASSERT_TRUE(openPictureField(*labels, QStringLiteral("logo"), picture, &error));
    picture.setImage(image);
    ASSERT_TRUE(closePictureField(*labels, QStringLiteral("logo"), picture, true, &error))
        << error.toStdString();
    PictureDocument stored;
    ASSERT_TRUE(stored.loadBlob(labels->findField(QStringLiteral("logo"))->blob(), &error));
    EXPECT_EQ(stored.image().size(), image.size());
}

TEST_F(ScannerTest, NoScannerIsSaid) {
    ASSERT_TRUE(test::writeBytes(config.filePath(QStringLiteral("dll.conf")), "\n"));
    SaneScanner scanner;
    QImage image;
    QString error;
    EXPECT_FALSE(scanner.scan(&image, &error));
    EXPECT_EQ(error, QStringLiteral("Není připojen žádný skener."));
    EXPECT_FALSE(SaneScanner(QStringLiteral("neni:0")).scan(&image, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Skener neni:0 nelze otevřít"))) << error.toStdString();
}

}  // namespace
